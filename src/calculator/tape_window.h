// TapeWindow: the calculation tape in a narrow window of its own, docked to the
// main window's left edge, 110 pixels below its top. It shows the tape lines the keypad
// controller keeps; clearing and printing go back to the owner through callbacks.
#pragma once

#include <QStringList>
#include <QWidget>

#include "calculation_tape.h"

#include <functional>

class ImageButton;
class ImageButtonEffect;
class QAction;
class QLabel;
class QTextEdit;

class TapeWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 137;
    static constexpr int ClientHeight = 463;
    static constexpr int DockOffset = 110;

    explicit TapeWindow(QWidget* parent = nullptr);

    void SetEffect(ImageButtonEffect* effect);
    // Shows what changed on `tape` since the last call (the first call shows it whole) and
    // scrolls to the last line. The window keeps reading this tape.
    void ShowTape(CalculationTape& tape);
    // Makes the text area with the lines shown so far; until then they are only kept.
    void BuildText();
    // Places the window left of the main window at `mainFrame`.
    void DockTo(const QRect& mainFrame);

    std::function<void()> OnClear;
    std::function<void(const QString& title, const QString& text)> OnPrint;
    // A result line chosen (double-click, or Enter on the line with the cursor).
    std::function<void(const QString& line)> OnRecall;
    // Ctrl+C: the lines the selection touches, whole, one per line.
    std::function<void(const QString& text)> OnCopy;
    // "Speichern unter…" in the text area's menu (act_rechenstreifen_speichern).
    std::function<void()> OnSave;
    // The text of the tape's lines that the selection (or the cursor) touches.
    QString SelectedLines() const;
    // A click put the cursor into the lines: keys go to the tape until the calculator is used.
    bool TakesKeys() const;

    void rechenstreifen_loeschenClick();
    void img_rechenstreifen_druckenClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollToEnd();
    void showChange(CalculationTape::Change change);

    QWidget* m_background;
    QLabel* m_caption;
    ImageButton* m_clear;
    ImageButton* m_print;
    QAction* m_saveAction;
    QTextEdit* m_tape = nullptr;
    CalculationTape* m_source = nullptr;
    qsizetype m_shownCount = 0; // lines in the text area
    ImageButtonEffect* m_effect = nullptr;
};
