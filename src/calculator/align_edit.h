// AlignEdit: the numeric entry field of every page. A single-line edit with a key filter
// by EditType, fixed-decimal formatting of etFloat texts when the focus leaves it, and
// float and integer accessors. The rules live in key_filter; this class only applies them.
#pragma once

#include "key_filter.h"

#include <QLineEdit>

#include <functional>

class AlignEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Alignment { eaLeft, eaCenter, eaRight };

    explicit AlignEdit(QWidget* parent = nullptr);

    Alignment FieldAlignment() const { return m_alignment; }
    void SetAlignment(Alignment alignment);
    EditType FieldEditType() const { return m_editType; }
    void SetEditType(EditType type) { m_editType = type; }
    bool JumpOnReturn() const { return m_jumpOnReturn; }
    void SetJumpOnReturn(bool jump) { m_jumpOnReturn = jump; }
    int Decimals() const { return m_decimals; }
    void SetDecimals(int decimals) { m_decimals = qint16(decimals); }
    bool EmptyIfZero() const { return m_emptyIfZero; }
    void SetEmptyIfZero(bool empty) { m_emptyIfZero = empty; }
    // Tab reaches the key handling as a typed key instead of moving the focus (the
    // calculator's display turns it into Enter).
    void SetTabTyped(bool typed) { m_tabTyped = typed; }

    double GetFloat();
    void SetFloat(double x);
    int GetInt() const;
    void SetInt(int a);

    // Formats an etFloat text, then announces the exit (Exited).
    void DoExit();

    // The field's own key-press handler: sees every key that passed the EditType filter
    // and may change it or drop it (KeyChar::None).
    std::function<void(AlignEdit& field, char16_t& key)> OnKeyPress;

    // The character a key event types, with control codes for Ctrl+letter, Backspace,
    // Tab, Enter and Esc; None for keys that type nothing (arrows, Delete, F-keys).
    static char16_t KeyCharOf(const QKeyEvent* event);

signals:
    void Exited();
    void errorSignal(int n);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void insertKey(char16_t key);

    Alignment m_alignment = Alignment::eaLeft;
    EditType m_editType = EditType::etString;
    bool m_jumpOnReturn = true;
    qint16 m_decimals = 2;
    bool m_emptyIfZero = false;
    bool m_exitDone = false;
    bool m_tabTyped = false;
};
