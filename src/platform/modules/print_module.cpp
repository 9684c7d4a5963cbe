// The module quorvanta_print: the only code that links Qt Print Support.
#include "platform/printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace {
class PrintJobs : public TextPrintJobs {
public:
    bool Print(QWidget* parent, const QString& title, const QString& text) override
    {
        QPrintDialog dialog(&m_printer, parent);
        dialog.setObjectName(QStringLiteral("pdl_rechenstreifen"));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        m_printer.setDocName(title);
        QTextDocument document;
        document.setPlainText(text);
        document.print(&m_printer);
        return true;
    }

    void PrintToPdf(const QString& file) override
    {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(file);
    }

private:
    QPrinter m_printer;
};
} // namespace

extern "C" Q_DECL_EXPORT TextPrintJobs* QuorvantaMakeTextPrintJobs()
{
    return new PrintJobs;
}
