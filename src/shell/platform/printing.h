// Printing plain text through the print dialog.
#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

class TextPrinter {
public:
    TextPrinter();
    ~TextPrinter();

    // Opens the print dialog; when the user confirms it, prints `text` as the document
    // `title` and returns true. A cancelled dialog prints nothing.
    bool Print(QWidget* parent, const QString& title, const QString& text);

    // The printer the dialog starts from (tests point it at a PDF file).
    QPrinter& Printer();

private:
    std::unique_ptr<QPrinter> m_printer; // made on first use: start-up needs no printer
};
