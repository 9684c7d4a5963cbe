#include "platform/printing.h"

#include "platform/program_module.h"

#include <QMessageBox>

TextPrinter::TextPrinter() = default;
TextPrinter::~TextPrinter() = default;

TextPrintJobs* TextPrinter::jobs()
{
    if (!m_triedModule) {
        m_triedModule = true;
        m_jobs = MakeModuleObject<TextPrintJobs>(kPrintModule, kMakeTextPrintJobs);
    }
    return m_jobs.get();
}

bool TextPrinter::Print(QWidget* parent, const QString& title, const QString& text)
{
    if (TextPrintJobs* printer = jobs())
        return printer->Print(parent, title, text);
    QMessageBox::critical(parent, title,
                          QStringLiteral("Drucken ist nicht möglich: %1 fehlt im Programmordner.")
                              .arg(QLatin1String(kPrintModule)));
    return false;
}

void TextPrinter::PrintToPdf(const QString& file)
{
    if (TextPrintJobs* printer = jobs())
        printer->PrintToPdf(file);
}
