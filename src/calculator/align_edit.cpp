#include "align_edit.h"

#include "control_texts.h"
#include "key_chars.h"
#include "number_text.h"

#include <QFocusEvent>
#include <QKeyEvent>

AlignEdit::AlignEdit(QWidget* parent) : QLineEdit(parent)
{
    setProperty(ReportedClassNameProperty, QStringLiteral("TAlignEdit"));
    SetAlignment(Alignment::eaLeft);
}

void AlignEdit::SetAlignment(Alignment alignment)
{
    m_alignment = alignment;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == Alignment::eaCenter)
        horizontal = Qt::AlignHCenter;
    else if (alignment == Alignment::eaRight)
        horizontal = Qt::AlignRight;
    setAlignment(horizontal | Qt::AlignVCenter);
}

double AlignEdit::GetFloat()
{
    if (text().isEmpty() && !m_emptyIfZero)
        setText(QStringLiteral("0"));
    return FieldFloat(text());
}

void AlignEdit::SetFloat(double x)
{
    if (m_editType != EditType::etFloat)
        return;
    setText(m_emptyIfZero && x == 0.0 ? QString() : FixedText(x, m_decimals));
}

int AlignEdit::GetInt() const
{
    return FieldInt(text());
}

void AlignEdit::SetInt(int a)
{
    setText(m_emptyIfZero && a == 0 ? QString() : QString::number(a));
}

void AlignEdit::DoExit()
{
    if (m_editType == EditType::etFloat) {
        // A text that does not convert ("-", "1-2") stays as typed; the user hears why.
        if (const auto formatted = FloatExitText(text(), m_decimals, m_emptyIfZero))
            setText(*formatted);
        else
            emit errorSignal(2);
    }
    emit Exited();
}

char16_t AlignEdit::KeyCharOf(const QKeyEvent* event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char16_t(key - Qt::Key_A + 1);
    switch (key) {
    case Qt::Key_Backspace:
        return KeyChar::Backspace;
    case Qt::Key_Tab:
        return KeyChar::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyChar::Enter;
    case Qt::Key_Escape:
        return KeyChar::Esc;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() != 127)
        return text[0].unicode();
    return KeyChar::None;
}

bool AlignEdit::event(QEvent* event)
{
    // The widget would take Tab for the focus chain before the key handling sees it.
    if (m_tabTyped && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void AlignEdit::keyPressEvent(QKeyEvent* event)
{
    char16_t key = KeyCharOf(event);
    if (key == KeyChar::None) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (m_jumpOnReturn && key == KeyChar::Enter) {
        DoExit();
        // The exit has run already; the focus change must not run it a second time.
        m_exitDone = true;
        focusNextChild();
        m_exitDone = false;
        event->accept();
        return;
    }
    event->accept();
    if (!PassesEditTypeFilter(m_editType, key, text()))
        return;
    const char16_t typed = key;
    if (OnKeyPress)
        OnKeyPress(*this, key);
    if (key == KeyChar::None)
        return;
    if (key == typed)
        QLineEdit::keyPressEvent(event);
    else
        insertKey(key);
}

void AlignEdit::insertKey(char16_t key)
{
    switch (key) {
    case KeyChar::Backspace:
        backspace();
        break;
    case KeyChar::CtrlA:
        selectAll();
        break;
    case KeyChar::CtrlC:
        copy();
        break;
    case KeyChar::CtrlV:
        paste();
        break;
    case KeyChar::CtrlX:
        cut();
        break;
    case KeyChar::CtrlZ:
        undo();
        break;
    case KeyChar::Enter:
        emit returnPressed();
        break;
    default:
        if (key >= 32)
            insert(QString(QChar(key)));
        break;
    }
}

void AlignEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving the window or opening a popup is no exit from the field.
    const Qt::FocusReason reason = event->reason();
    if (!m_exitDone && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        DoExit();
}
