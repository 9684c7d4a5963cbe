#include "tape_window.h"

#include "control_texts.h"
#include "image_button.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>

TapeWindow::TapeWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Tfrm_rechenstreifen"));
    setProperty(ReportedClassNameProperty, QStringLiteral("Tfrm_rechenstreifen"));
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
    connect(m_clear, &ImageButton::clicked, this, &TapeWindow::rechenstreifen_loeschenClick);

    m_print = new ImageButton(QStringLiteral("P"), this);
    m_print->setObjectName(QStringLiteral("img_rechenstreifen_drucken"));
    m_print->setGeometry(116, 2, 18, 18);
    m_print->setToolTip(QStringLiteral("Rechenstreifen drucken"));
    connect(m_print, &ImageButton::clicked, this, &TapeWindow::img_rechenstreifen_druckenClick);

    m_saveAction = new QAction(QStringLiteral("Speichern unter…"), this);
    m_saveAction->setObjectName(QStringLiteral("act_rechenstreifen_speichern"));
    connect(m_saveAction, &QAction::triggered, this, [this] {
        if (OnSave)
            OnSave();
    });

    // The text of a failed save: an action never shown, so that the translation table reaches it.
    auto* failed =
        new QAction(QStringLiteral("Der Rechenstreifen konnte nicht gespeichert werden:"), this);
    failed->setObjectName(QStringLiteral("lbl_streifen_fehler"));

    // The text area is the costliest control of both windows and the tape starts hidden:
    // it is made once the main window is up (BuildText) or when the tape first shows.
}

void TapeWindow::BuildText()
{
    if (m_tape)
        return;
    m_tape = new QTextEdit(this);
    m_tape->setObjectName(QStringLiteral("red_rechenstreifen"));
    m_tape->setGeometry(3, 23, 132, 435);
    m_tape->setReadOnly(true);
    m_tape->setLineWrapMode(QTextEdit::NoWrap);
    m_tape->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_tape->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_tape->setAcceptRichText(false);
    QTextOption right = m_tape->document()->defaultTextOption();
    right.setAlignment(Qt::AlignRight);
    m_tape->document()->setDefaultTextOption(right);
    // A tape kept for days has many lines: no undo history of its own edits.
    m_tape->document()->setUndoRedoEnabled(false);
    // A click puts the cursor on a line, for Enter and Ctrl+C.
    m_tape->setFocusPolicy(Qt::ClickFocus);
    m_tape->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_tape->installEventFilter(this);
    m_tape->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_tape->addAction(m_saveAction);
    m_tape->viewport()->installEventFilter(this);
    m_tape->show();
    if (m_source)
        showChange({true, 0});
}

void TapeWindow::showEvent(QShowEvent* event)
{
    BuildText();
    QWidget::showEvent(event);
}

void TapeWindow::SetEffect(ImageButtonEffect* effect)
{
    m_effect = effect;
    m_clear->SetEffect(effect);
    m_print->SetEffect(effect);
}

void TapeWindow::ShowTape(CalculationTape& tape)
{
    if (m_source != &tape) {
        m_source = &tape;
        tape.TakeChange();
        if (m_tape)
            showChange({true, 0});
        return;
    }
    const CalculationTape::Change change = tape.TakeChange();
    if (m_tape)
        showChange(change);
}

void TapeWindow::showChange(CalculationTape::Change change)
{
    const QStringList& lines = m_source->Lines();
    const qsizetype from = change.cleared ? 0 : std::min(change.from, m_shownCount);
    if (from == m_shownCount && from == lines.size())
        return;
    QTextDocument* doc = m_tape->document();
    if (from == 0) {
        // A whole tape (a restored session of thousands of lines) in one go.
        doc->setPlainText(lines.join(u'\n'));
    } else {
        // From the end of the last unchanged line to the end of the document, then the
        // changed and new lines.
        const QTextBlock kept = doc->findBlockByNumber(int(from - 1));
        QTextCursor cursor(doc);
        cursor.setPosition(kept.position() + kept.length() - 1);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        for (qsizetype i = from; i < lines.size(); ++i) {
            cursor.insertBlock();
            cursor.insertText(lines[i]);
        }
        cursor.endEditBlock();
    }
    m_shownCount = lines.size();
    m_tape->moveCursor(QTextCursor::End);
    scrollToEnd();
}

bool TapeWindow::TakesKeys() const
{
    return m_tape && m_tape->hasFocus();
}

QString TapeWindow::SelectedLines() const
{
    if (!m_tape)
        return QString();
    const QTextCursor cursor = m_tape->textCursor();
    QTextDocument* doc = m_tape->document();
    QTextBlock block = doc->findBlock(cursor.selectionStart());
    const QTextBlock last = doc->findBlock(cursor.selectionEnd());
    QStringList lines;
    for (; block.isValid(); block = block.next()) {
        lines.append(block.text());
        if (block == last)
            break;
    }
    return lines.join(u'\n');
}

void TapeWindow::scrollToEnd()
{
    QScrollBar* bar = m_tape->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TapeWindow::DockTo(const QRect& mainFrame)
{
    move(mainFrame.left() - width(), mainFrame.top() + DockOffset);
}

void TapeWindow::rechenstreifen_loeschenClick()
{
    if (OnClear)
        OnClear();
}

void TapeWindow::img_rechenstreifen_druckenClick()
{
    if (OnPrint)
        OnPrint(QStringLiteral("Rechenstreifen"), m_source ? m_source->Text() : QString());
}

bool TapeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background && event->type() == QEvent::MouseMove && m_effect)
        m_effect->DrawFlat();
    if (m_tape && watched == m_tape->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (OnRecall)
            OnRecall(m_tape->cursorForPosition(mouse->position().toPoint()).block().text());
        return true;
    }
    if (m_tape && watched == m_tape && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Up and Down go from line to line, whatever the layout has got to.
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
            key->modifiers() == Qt::NoModifier) {
            QTextCursor cursor = m_tape->textCursor();
            cursor.movePosition(key->key() == Qt::Key_Up ? QTextCursor::PreviousBlock
                                                         : QTextCursor::NextBlock);
            m_tape->setTextCursor(cursor);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (OnRecall)
                OnRecall(m_tape->textCursor().block().text());
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            if (OnCopy)
                OnCopy(SelectedLines());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
