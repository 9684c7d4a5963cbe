#include "keypad/ui/keypad_page.h"

#include "common/calc_display.h"
#include "common/control_texts.h"
#include "common/key_chars.h"
#include "common/mc_strings.h"
#include "keypad/engine/keypad_page_model.h"
#include "keypad/engine/keypad_table.h"
#include "platform/program_folder.h"
#include "platform/program_pictures.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"
#include "widgets/indicator_lamp.h"
#include "widgets/memory_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>

namespace {

constexpr int kLeft = 6;

QColor faceColour(KeyColour colour)
{
    switch (colour) {
    case KeyColour::Digit:
        return QColor(0xFB, 0xFB, 0xF8);
    case KeyColour::Operator:
        return QColor(0xCF, 0xDF, 0xEE);
    case KeyColour::Function:
        return QColor(0xDD, 0xE4, 0xE2);
    case KeyColour::Clear:
        return QColor(0xF1, 0xC6, 0xBF);
    case KeyColour::Equals:
        return QColor(0xF4, 0xD6, 0xA0);
    case KeyColour::Mode:
        return QColor(0xEE, 0xF1, 0xF0);
    }
    return Qt::white;
}

const char* const kAngleLabels[3] = {"lbl_deg", "lbl_rad", "lbl_gra"};

} // namespace

KeypadPage::KeypadPage(KeypadPageModel& controller, ImageButtonEffect& effect,
                       const McStrings& texts, const ControlTexts& controlTexts, QWidget* parent)
    : QWidget(parent), m_controller(controller), m_effect(effect), m_texts(texts),
      m_controlTexts(controlTexts)
{
    setObjectName(QStringLiteral("tsh_taschenrechner"));
    setMouseTracking(true);
    installEventFilter(this);
    buildDisplay();
    buildKeys();
    buildModeRow();
    buildMemory();
    // Enter in the exponent field hands the keyboard back to the mantissa.
    setTabOrder(m_exponent, m_result);

    m_controller.AnimateKey = [this](const QString& name) {
        if (auto* key = findChild<ImageButton*>(name))
            m_effect.AnimateKey(key);
    };
    retranslate();
    // At start-up the lamps come from the delivered files where they can be read (the same
    // pictures, without drawing them), else they are drawn here; a missing file is told only
    // on a mode change.
    const auto lamp = [](bool on) {
        const QImage file = ReadBitmapPicture(on ? QStringLiteral("images\\on1.cc1")
                                                 : QStringLiteral("images\\off1.cc1"));
        return file.isNull() ? DrawIndicatorLamp(on, PictureRatio()) : file;
    };
    const QImage on = lamp(true);
    const QImage off = lamp(false);
    for (int i = 0; i < 3; ++i) {
        m_angleImages[i]->setCheckable(true);
        m_angleImages[i]->setChecked(i == int(m_controller.GetAngleMode()));
        m_angleImages[i]->SetPicture(i == int(m_controller.GetAngleMode()) ? on : off);
    }
    Refresh();
}

void KeypadPage::buildDisplay()
{
    m_expressionLine = new QLineEdit(this);
    m_expressionLine->setObjectName(QStringLiteral("edt_result_normal"));
    m_expressionLine->setReadOnly(true);
    m_expressionLine->setFocusPolicy(Qt::NoFocus);
    m_expressionLine->setGeometry(kLeft, 4, 352, 20);

    QFont big = font();
    big.setPixelSize(20);
    m_result = new AlignEdit(this);
    m_result->setObjectName(QStringLiteral("edt_result"));
    m_result->SetAlignment(AlignEdit::Alignment::eaRight);
    m_result->SetJumpOnReturn(false);
    m_result->setGeometry(kLeft, 28, 250, 32);
    m_result->setFont(big);

    m_tenTo = new QLabel(this);
    m_tenTo->setObjectName(QStringLiteral("lbl_10hoch"));
    m_tenTo->setGeometry(260, 34, 40, 20);

    m_exponent = new AlignEdit(this);
    m_exponent->setObjectName(QStringLiteral("edt_result10hoch"));
    m_exponent->SetAlignment(AlignEdit::Alignment::eaRight);
    m_exponent->SetJumpOnReturn(true);
    m_exponent->setGeometry(302, 28, 56, 32);
    m_exponent->setFont(big);
    // Tab in the display is typed like any key: it stands for Enter there.
    m_result->SetTabTyped(true);
    m_exponent->SetTabTyped(true);

    CalcDisplay& display = m_controller.Display();
    m_result->OnKeyPress = [this](AlignEdit& field, char16_t& key) {
        m_controller.MantissaKeyTyped(key, field.hasSelectedText() &&
                                               field.selectedText() == field.text());
        key = KeyChar::None;
        Refresh();
    };
    m_exponent->OnKeyPress = [this](AlignEdit& field, char16_t& key) {
        m_controller.ExponentKeyTyped(key, field.hasSelectedText() &&
                                               field.selectedText() == field.text());
        key = KeyChar::None;
        Refresh();
    };
    // Keys that type no character (Delete, a cut with the mouse) change the text directly;
    // the controller takes the change only when the field still holds a number.
    connect(m_result, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!m_controller.EntryEdited(CalcDisplay::EntryField::Mantissa, text))
            Refresh();
    });
    connect(m_exponent, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!m_controller.EntryEdited(CalcDisplay::EntryField::Exponent, text))
            Refresh();
    });
    connect(qApp, &QApplication::focusChanged, this, [this, &display](QWidget*, QWidget* now) {
        if (!now)
            return;
        if (now == m_result)
            display.FocusedField = CalcDisplay::EntryField::Mantissa;
        else if (now == m_exponent)
            display.FocusedField = CalcDisplay::EntryField::Exponent;
        else
            display.FocusedField = CalcDisplay::EntryField::None;
    });
}

void KeypadPage::buildModeRow()
{
    m_fix = findChild<ImageButton*>(QStringLiteral("img_fix"));
    m_fixIndicator = new QLabel(this);
    m_fixIndicator->setObjectName(QStringLiteral("lbl_fix_anzeige"));
    m_fixIndicator->setGeometry(kLeft + 40, 69, 14, 16);

    const char16_t* const lamps[3] = {u"img_deg", u"img_rad", u"img_gra"};
    for (int i = 0; i < 3; ++i) {
        const KeypadKey& lamp = *KeyNamed(lamps[i]);
        m_angleImages[i] = findChild<ImageButton*>(QLatin1String(lamp.objectName));
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(kAngleLabels[i]));
        label->setGeometry(lamp.place.x + 21, lamp.place.y + 1, 30, 16);
        label->installEventFilter(this);
        m_angleLabels[i] = label;
    }
    m_tapeToggle = findChild<ImageButton*>(QStringLiteral("img_rechenstreifen_wechsel"));
}

void KeypadPage::buildMemory()
{
    constexpr int y = 94;
    m_memoryBox = new QScrollArea(this);
    m_memoryBox->setObjectName(QStringLiteral("scx_speicher"));
    m_memoryBox->setGeometry(kLeft, y, 226, 102);
    m_memoryBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memoryBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_memory = new MemoryGridWidget(QStringLiteral("sgr_memoryblock"));
    m_memory->installEventFilter(this);
    m_memoryBox->setWidget(m_memory);

    m_memoryPanel = new QLabel(this);
    m_memoryPanel->setObjectName(QStringLiteral("img_speicher"));
    m_memoryPanel->setGeometry(238, y, 120, 20);
    m_memoryPanel->setAlignment(Qt::AlignCenter);
    QFont bold = m_memoryPanel->font();
    bold.setBold(true);
    m_memoryPanel->setFont(bold);
}

void KeypadPage::buildKeys()
{
    for (const KeypadKey& key : KeypadKeys()) {
        auto* button = new ImageButton(key.Face(), this);
        button->setObjectName(QString::fromLatin1(key.objectName));
        button->setGeometry(key.place.x, key.place.y, key.place.width, key.place.height);
        button->SetColours(faceColour(key.colour), Qt::black);
        button->SetEffect(&m_effect);
        connect(button, &ImageButton::clicked, this, [this, &key] { runKey(key); });
    }
}

void KeypadPage::runKey(const KeypadKey& key)
{
    switch (key.kind) {
    case KeyKind::Fix:
        StartFixEntry();
        return;
    case KeyKind::Angle:
        setAngleMode(AngleMode(key.value));
        return;
    case KeyKind::Memory:
        if (key.value == 0)
            StoreInMemory();
        else if (key.value == 1)
            RecallMemory();
        else
            ClearMemory();
        return;
    case KeyKind::Tape:
        emit img_rechenstreifen_wechselClick();
        return;
    default:
        m_controller.RunKey(key);
        Refresh();
        return;
    }
}

void KeypadPage::StartFixEntry()
{
    m_controller.Display().StartFixEntry();
    Refresh();
    FocusResult();
}

int KeypadPage::selectedSlot() const
{
    return std::max(0, m_memory->CurrentRow());
}

void KeypadPage::StoreInMemory()
{
    m_controller.StoreInMemory(selectedSlot());
    Refresh();
}

void KeypadPage::RecallMemory()
{
    m_controller.RecallMemory(selectedSlot());
    Refresh();
}

void KeypadPage::ClearMemory()
{
    m_controller.ClearMemory(selectedSlot());
    Refresh();
}

void KeypadPage::setAngleMode(AngleMode mode)
{
    m_controller.SetAngleMode(mode);
    drawAngleIndicators();
}

void KeypadPage::drawAngleIndicators()
{
    const QImage on = ReadBitmapPicture(QStringLiteral("images\\on1.cc1"));
    const QImage off = ReadBitmapPicture(QStringLiteral("images\\off1.cc1"));
    const AngleMode mode = m_controller.GetAngleMode();
    const int chosen = int(mode);
    // The chosen mode is also the checked image, so that it can be read without the lamps.
    for (int i = 0; i < 3; ++i)
        m_angleImages[i]->setChecked(i == chosen);
    if (const auto message =
            KeypadPageModel::AngleLampMessage(mode, !on.isNull() && !off.isNull(), m_texts)) {
        QMessageBox::critical(window(), message->caption, message->text);
        return;
    }
    for (int i = 0; i < 3; ++i)
        m_angleImages[i]->SetPicture(i == chosen ? on : off);
}

void KeypadPage::SetTapeHint(bool tapeVisible)
{
    m_tapeVisible = tapeVisible;
    m_tapeToggle->setToolTip(m_texts.Entry(tapeVisible ? 58 : 59));
}

void KeypadPage::FocusResult()
{
    m_result->setFocus();
}

void KeypadPage::retranslate()
{
    m_controlTexts.ApplyTo(*this);
    SetTapeHint(m_tapeVisible);
}

void KeypadPage::Refresh()
{
    const CalcDisplay& display = m_controller.Display();
    m_expressionLine->setText(display.ExpressionLine);
    m_expressionLine->setCursorPosition(int(display.ExpressionLine.size()));
    if (m_result->text() != display.Mantissa)
        m_result->setText(display.Mantissa);
    if (m_exponent->text() != display.Exponent)
        m_exponent->setText(display.Exponent);
    m_fixIndicator->setText(display.FixIndicator());
    for (int row = 0; row < MemorySlots::Count; ++row)
        m_memory->SetValue(row, m_controller.Memory().Value(row));
    if (display.FocusedField == CalcDisplay::EntryField::Mantissa && m_exponent->hasFocus())
        m_result->setFocus();
    emit CalculationChanged();
}

bool KeypadPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::MouseMove) {
        m_effect.DrawFlat();
    } else if (watched == m_memory && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const char16_t key = AlignEdit::KeyCharOf(keyEvent);
        if (m_controller.MemoryGridKey(selectedSlot(), key)) {
            Refresh();
            return true;
        }
        // The grid keeps its arrow keys and Tab; digits, operators, Enter and the rest go on
        // typing into the display, as they did before the click into the grid.
        if (!keyEvent->text().isEmpty() && key != KeyChar::Tab) {
            FocusResult();
            QCoreApplication::sendEvent(m_result, event);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 3; ++i)
            if (watched == m_angleLabels[i])
                setAngleMode(AngleMode(i));
    }
    return QWidget::eventFilter(watched, event);
}
