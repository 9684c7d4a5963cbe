// Tfrm_calc: the borderless main window. It keeps the chrome (its own title bar) and the
// page switching; each page is its own class. It owns the engines the pages share.
#pragma once

#include "calculator/calc_display.h"

#include <QWidget>

class KeypadPage;
class TitleBar;
class QTabWidget;
class UserFeedback;

class Tfrm_calc : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 372;
    static constexpr int ClientHeight = 582;

    explicit Tfrm_calc(UserFeedback& feedback, QWidget* parent = nullptr);

    CalcDisplay& Display() { return m_display; }
    QTabWidget* Pages() const { return m_pages; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void connectErrorSignals();

    UserFeedback& m_feedback;
    CalcDisplay m_display;
    QTabWidget* m_pages = nullptr;
    KeypadPage* m_keypad = nullptr;
    TitleBar* m_titleBar = nullptr;
};
