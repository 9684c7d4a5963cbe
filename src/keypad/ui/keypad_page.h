// The keypad calculator page tsh_taschenrechner. It builds its keys from the keypad table,
// turns each click or typed key into one call on the KeypadPageModel and then shows the
// controller's texts: display, expression line, decimals, angle mode and memory.
#pragma once

#include "keypad/engine/operator_nodes.h"

#include <QImage>
#include <QWidget>

class ControlTexts;
class ImageButton;
class ImageButtonEffect;
class KeypadPageModel;
struct KeypadKey;
class McStrings;
class QLabel;
class QLineEdit;
class QScrollArea;
class AlignEdit;
class MemoryGridWidget;

class KeypadPage : public QWidget {
    Q_OBJECT
public:
    KeypadPage(KeypadPageModel& controller, ImageButtonEffect& effect, const McStrings& texts,
               const ControlTexts& controlTexts, QWidget* parent = nullptr);

    // Copies the controller's texts into the fields and tells the tape.
    void Refresh();
    void retranslate();
    void SetTapeHint(bool tapeVisible);
    void FocusResult();
    MemoryGridWidget* MemoryGrid() const { return m_memory; }

    void StartFixEntry();
    void StoreInMemory();
    void RecallMemory();
    void ClearMemory();
    void rbo_degClick() { setAngleMode(AngleMode::Degrees); }
    void rbo_radClick() { setAngleMode(AngleMode::Radians); }
    void rbo_graClick() { setAngleMode(AngleMode::Grads); }

signals:
    void CalculationChanged();
    void img_rechenstreifen_wechselClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDisplay();
    void buildModeRow();
    void buildMemory();
    void buildKeys();
    void runKey(const KeypadKey& key);
    void setAngleMode(AngleMode mode);
    void drawAngleIndicators();
    int selectedSlot() const;

    KeypadPageModel& m_controller;
    ImageButtonEffect& m_effect;
    const McStrings& m_texts;
    const ControlTexts& m_controlTexts;
    QLineEdit* m_expressionLine = nullptr;
    AlignEdit* m_result = nullptr;
    AlignEdit* m_exponent = nullptr;
    QLabel* m_tenTo = nullptr;
    ImageButton* m_fix = nullptr;
    QLabel* m_fixIndicator = nullptr;
    ImageButton* m_angleImages[3] = {};
    QLabel* m_angleLabels[3] = {};
    ImageButton* m_tapeToggle = nullptr;
    QScrollArea* m_memoryBox = nullptr;
    MemoryGridWidget* m_memory = nullptr;
    QLabel* m_memoryPanel = nullptr;
    bool m_tapeVisible = false;
};
