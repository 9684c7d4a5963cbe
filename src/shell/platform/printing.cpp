#include "printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

TextPrinter::TextPrinter() = default;
TextPrinter::~TextPrinter() = default;

QPrinter& TextPrinter::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

bool TextPrinter::Print(QWidget* parent, const QString& title, const QString& text)
{
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("pdl_rechenstreifen"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printer.setDocName(title);
    QTextDocument document;
    document.setPlainText(text);
    document.print(&printer);
    return true;
}
