// Tfrm_rechenstreifen: the calculation tape in a narrow window of its own, docked to the
// main window's left edge, 110 pixels below its top. It shows the tape lines the keypad
// controller keeps; clearing and printing go back to the owner through callbacks.
#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class ImageButton;
class ImageButtonEffect;
class QLabel;
class QTextEdit;

class Tfrm_rechenstreifen : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 137;
    static constexpr int ClientHeight = 463;
    static constexpr int DockOffset = 110;

    explicit Tfrm_rechenstreifen(QWidget* parent = nullptr);

    void SetEffect(ImageButtonEffect* effect);
    // Shows the tape's lines, changing only what differs, and scrolls to the last line.
    void ShowLines(const QStringList& lines);
    // Makes the text area with the lines shown so far; until then they are only kept.
    void BuildText();
    // Places the window left of the main window at `mainFrame`.
    void DockTo(const QRect& mainFrame);

    std::function<void()> OnClear;
    std::function<void(const QString& title, const QString& text)> OnPrint;

    void rechenstreifen_loeschenClick();
    void img_rechenstreifen_druckenClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollToEnd();

    QWidget* m_background;
    QLabel* m_caption;
    ImageButton* m_clear;
    ImageButton* m_print;
    QTextEdit* m_tape = nullptr;
    QStringList m_shown;
    ImageButtonEffect* m_effect = nullptr;
};
