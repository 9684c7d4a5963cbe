#include "tape_window.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

Tfrm_rechenstreifen::Tfrm_rechenstreifen(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Tfrm_rechenstreifen"));
    setWindowTitle(QStringLiteral("Rechenstreifen"));
    resize(180, 360);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_tape = new QPlainTextEdit(this);
    m_tape->setObjectName(QStringLiteral("red_rechenstreifen"));
    m_tape->setReadOnly(true);
    layout->addWidget(m_tape);
}

void Tfrm_rechenstreifen::ShowLines(const QStringList& lines)
{
    m_tape->setPlainText(lines.join(u'\n'));
    m_tape->verticalScrollBar()->setValue(m_tape->verticalScrollBar()->maximum());
}
