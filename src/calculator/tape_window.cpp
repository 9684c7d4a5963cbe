#include "tape_window.h"

#include "image_button.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <utility>

Tfrm_rechenstreifen::Tfrm_rechenstreifen(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Tfrm_rechenstreifen"));
    // The tape never takes the keyboard from the calculator.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Rechenstreifen"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xDC, 0xDC, 0xDC));
    setPalette(grey);
    setAutoFillBackground(true);

    m_background = new QWidget(this);
    m_background->setObjectName(QStringLiteral("Image1"));
    m_background->setGeometry(0, 0, 138, ClientHeight);
    m_background->setMouseTracking(true);
    m_background->installEventFilter(this);

    m_caption = new QLabel(QStringLiteral("Rechenstreifen"), this);
    m_caption->setObjectName(QStringLiteral("lbl_rechenstreifen"));
    m_caption->setGeometry(4, 3, 88, 16);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);

    m_clear = new ImageButton(QStringLiteral("C"), this);
    m_clear->setObjectName(QStringLiteral("rechenstreifen_loeschen"));
    m_clear->setGeometry(95, 2, 18, 18);
    m_clear->setToolTip(QStringLiteral("Rechenstreifen löschen"));
    connect(m_clear, &ImageButton::clicked, this,
            &Tfrm_rechenstreifen::rechenstreifen_loeschenClick);

    m_print = new ImageButton(QStringLiteral("P"), this);
    m_print->setObjectName(QStringLiteral("img_rechenstreifen_drucken"));
    m_print->setGeometry(116, 2, 18, 18);
    m_print->setToolTip(QStringLiteral("Rechenstreifen drucken"));
    connect(m_print, &ImageButton::clicked, this,
            &Tfrm_rechenstreifen::img_rechenstreifen_druckenClick);

    // The text area is the costliest control of both windows and the tape starts hidden:
    // it is made once the main window is up (BuildText) or when the tape first shows.
}

void Tfrm_rechenstreifen::BuildText()
{
    if (m_tape)
        return;
    m_tape = new QTextEdit(this);
    m_tape->setObjectName(QStringLiteral("red_rechenstreifen"));
    m_tape->setGeometry(3, 23, 132, 435);
    m_tape->setReadOnly(true);
    m_tape->setFocusPolicy(Qt::NoFocus);
    m_tape->setLineWrapMode(QTextEdit::NoWrap);
    m_tape->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_tape->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_tape->setAcceptRichText(false);
    QTextOption right = m_tape->document()->defaultTextOption();
    right.setAlignment(Qt::AlignRight);
    m_tape->document()->setDefaultTextOption(right);
    m_tape->show();
    ShowLines(std::exchange(m_shown, {}));
}

void Tfrm_rechenstreifen::showEvent(QShowEvent* event)
{
    BuildText();
    QWidget::showEvent(event);
}

void Tfrm_rechenstreifen::SetEffect(ImageButtonEffect* effect)
{
    m_effect = effect;
    m_clear->SetEffect(effect);
    m_print->SetEffect(effect);
}

void Tfrm_rechenstreifen::ShowLines(const QStringList& lines)
{
    if (!m_tape) {
        m_shown = lines;
        return;
    }
    // Usually only the last line changes or lines are added: keep the rest as it is.
    qsizetype same = 0;
    while (same < lines.size() && same < m_shown.size() && lines[same] == m_shown[same])
        ++same;
    if (same == lines.size() && same == m_shown.size())
        return;

    QTextDocument* doc = m_tape->document();
    QTextCursor cursor(doc);
    if (same == 0) {
        doc->clear();
        cursor = QTextCursor(doc);
    } else {
        // Remove from the end of the last unchanged line to the end of the document.
        cursor.setPosition(doc->findBlockByNumber(int(same - 1)).position() +
                           doc->findBlockByNumber(int(same - 1)).length() - 1);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    for (qsizetype i = same; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(lines[i]);
    }
    m_shown = lines;
    scrollToEnd();
}

void Tfrm_rechenstreifen::scrollToEnd()
{
    QScrollBar* bar = m_tape->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void Tfrm_rechenstreifen::DockTo(const QRect& mainFrame)
{
    move(mainFrame.left() - width(), mainFrame.top() + DockOffset);
}

void Tfrm_rechenstreifen::rechenstreifen_loeschenClick()
{
    if (OnClear)
        OnClear();
}

void Tfrm_rechenstreifen::img_rechenstreifen_druckenClick()
{
    if (OnPrint)
        OnPrint(QStringLiteral("Rechenstreifen"),
                m_tape ? m_tape->toPlainText() : m_shown.join(u'\n'));
}

bool Tfrm_rechenstreifen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background && event->type() == QEvent::MouseMove && m_effect)
        m_effect->DrawFlat();
    return QWidget::eventFilter(watched, event);
}
