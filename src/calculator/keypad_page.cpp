#include "keypad_page.h"

#include "align_edit.h"
#include "calc_display.h"
#include "image_button.h"
#include "key_chars.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

KeypadPage::KeypadPage(CalcDisplay& display, QWidget* parent)
    : QWidget(parent), m_display(display)
{
    setObjectName(QStringLiteral("tsh_taschenrechner"));

    m_expressionLine = new QLineEdit(this);
    m_expressionLine->setObjectName(QStringLiteral("edt_result_normal"));
    m_expressionLine->setReadOnly(true);
    m_expressionLine->setFocusPolicy(Qt::NoFocus);
    m_expressionLine->setGeometry(6, 6, 352, 22);

    m_result = new TAlignEdit(this);
    m_result->setObjectName(QStringLiteral("edt_result"));
    m_result->SetAlignment(TAlignEdit::TAlign::eaRight);
    m_result->SetJumpOnReturn(false);
    m_result->setGeometry(6, 32, 262, 30);
    QFont big = m_result->font();
    big.setPixelSize(20);
    m_result->setFont(big);

    m_tenTo = new QLabel(this);
    m_tenTo->setObjectName(QStringLiteral("lbl_10hoch"));
    m_tenTo->setGeometry(272, 38, 44, 20);

    m_exponent = new TAlignEdit(this);
    m_exponent->setObjectName(QStringLiteral("edt_result10hoch"));
    m_exponent->SetAlignment(TAlignEdit::TAlign::eaRight);
    m_exponent->SetJumpOnReturn(true);
    m_exponent->setGeometry(318, 32, 40, 30);
    m_exponent->setFont(big);

    m_fix = new ImageButton(QStringLiteral("FIX"), this);
    m_fix->setObjectName(QStringLiteral("img_fix"));
    m_fix->setGeometry(6, 68, 40, 24);
    m_fixIndicator = new QLabel(this);
    m_fixIndicator->setObjectName(QStringLiteral("lbl_fix_anzeige"));
    m_fixIndicator->setGeometry(50, 70, 20, 20);

    connect(m_fix, &ImageButton::clicked, this, &KeypadPage::spb_fixClick);
    m_result->OnKeyPress = [this](TAlignEdit&, char16_t& key) { edt_resultsKeyPress(key); };
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_exponent || now == m_result)
            m_display.FocusedField = now == m_exponent ? CalcDisplay::EntryField::Exponent : CalcDisplay::EntryField::Mantissa;
    });

    retranslate();
    Refresh();
}

void KeypadPage::retranslate()
{
    m_tenTo->setText(QStringLiteral("* 10^"));
    m_expressionLine->setToolTip(QStringLiteral("Rechenstreifen"));
    m_result->setToolTip(QStringLiteral("Eingabe- und Kontrollfelder"));
    m_exponent->setToolTip(QStringLiteral("Eingabe- und Kontrollfelder"));
    m_fix->setToolTip(QStringLiteral("Anzahl der Nachkommastellen"));
}

void KeypadPage::Refresh()
{
    m_expressionLine->setText(m_display.ExpressionLine);
    m_result->setText(m_display.Mantissa);
    m_exponent->setText(m_display.Exponent);
    m_fixIndicator->setText(m_display.FixIndicator());
}

void KeypadPage::spb_fixClick()
{
    m_display.spb_fixClick();
    Refresh();
    m_result->setFocus();
}

void KeypadPage::edt_resultsKeyPress(char16_t& key)
{
    if (!m_display.FixEntryMode)
        return;
    const QChar c = key == u',' ? QChar(u'.') : QChar(key);
    if (m_display.SetFixDecimals(c)) {
        key = KeyChar::None;
        Refresh();
    }
}
