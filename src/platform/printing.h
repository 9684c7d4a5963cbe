// Printing plain text through the print dialog. The print stack (Qt Print Support) lives in
// the module quorvanta_print, loaded with the first print.
#pragma once

#include <QString>

#include <memory>

class QWidget;

// What the module does: one printer, kept from print to print with the user's choices.
class TextPrintJobs {
public:
    virtual ~TextPrintJobs() = default;
    // Opens the print dialog; when the user confirms it, prints `text` as the document
    // `title` and returns true.
    virtual bool Print(QWidget* parent, const QString& title, const QString& text) = 0;
    // The dialog starts from a PDF file instead of the system's printer (tests).
    virtual void PrintToPdf(const QString& file) = 0;
};
// The module's factory (for MakeModuleObject).
inline constexpr const char* kPrintModule = "quorvanta_print";
inline constexpr const char* kMakeTextPrintJobs = "QuorvantaMakeTextPrintJobs";

class TextPrinter {
public:
    TextPrinter();
    ~TextPrinter();

    // Opens the print dialog; when the user confirms it, prints `text` as the document
    // `title` and returns true. A cancelled dialog prints nothing. Without the module nothing
    // can be printed: `parent` says so, and nothing is printed.
    bool Print(QWidget* parent, const QString& title, const QString& text);

    // The dialog starts from a PDF file instead of the system's printer (tests).
    void PrintToPdf(const QString& file);

private:
    TextPrintJobs* jobs();

    std::unique_ptr<TextPrintJobs> m_jobs; // made on first use: start-up needs no printer
    bool m_triedModule = false;
};
