// The keypad calculator page tsh_taschenrechner: mirrors the calculator's display model
// in its fields and turns clicks and keys into calls on it.
#pragma once

#include <QWidget>

class CalcDisplay;
class ImageButton;
class QLabel;
class QLineEdit;
class TAlignEdit;

class KeypadPage : public QWidget {
    Q_OBJECT
public:
    KeypadPage(CalcDisplay& display, QWidget* parent = nullptr);

    // Copies the display model's texts into the fields.
    void Refresh();
    void retranslate();

    void spb_fixClick();

private:
    void edt_resultsKeyPress(char16_t& key);

    CalcDisplay& m_display;
    QLineEdit* m_expressionLine;
    TAlignEdit* m_result;
    TAlignEdit* m_exponent;
    QLabel* m_tenTo;
    ImageButton* m_fix;
    QLabel* m_fixIndicator;
};
