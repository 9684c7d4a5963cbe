#include "reporting/engine/exception_report.h"

#include <gtest/gtest.h>

TEST(ExceptionReport, MessageGetsOneFinalFullStopAndCrLfBreaks)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Division durch Null", "Division durch Null."},
        {"Schon fertig.", "Schon fertig."},
        {"Zeile 1\nZeile 2", "Zeile 1\r\nZeile 2."},
        {"Zeile 1\r\nZeile 2.", "Zeile 1\r\nZeile 2."},
        {"", "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(MessageText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
}

TEST(ExceptionReport, HeaderNamesAddressForMainThreadAndThreadOtherwise)
{
    auto error = ErrorInfo::Of(QStringLiteral("std::runtime_error"), QStringLiteral("x"));
    error.address = 0x1234abcd;
    const QString separator = QString(78, u'-');
    EXPECT_EQ(ReportHeader(error), QStringLiteral("Exception class: std::runtime_error\r\n"
                                                  "Exception Addresse: 1234abcd\r\n") +
                                       separator + QStringLiteral("\r\n"));
    error.thread = QStringLiteral("Kursupdate");
    EXPECT_EQ(ReportHeader(error), QStringLiteral("Exception class: std::runtime_error\r\n"
                                                  "Thread: Kursupdate\r\n") +
                                       separator + QStringLiteral("\r\n"));
}

TEST(ExceptionReport, SectionsHaveTheirLineFormatsAndEndWithASeparator)
{
    ReportFacts facts;
    facts.stackTaken = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
    facts.stack = {QStringLiteral("[00401000] main (main.cpp:3)")};
    facts.system = {QStringLiteral("Debian 12"),
                    QStringLiteral("linux 6.1.0"),
                    12,
                    0,
                    0x2a,
                    QStringLiteral("x86_64"),
                    QStringLiteral("GenuineIntel"),
                    QStringLiteral("Core"),
                    2400,
                    QStringLiteral("SSE2"),
                    4096,
                    1024,
                    1920,
                    1080,
                    24};
    facts.modules = {{0x7f00, 0x7f00, QStringLiteral("/lib/libb.so.2"), QStringLiteral("2"), {}},
                     {0x1000, 0x2000, QStringLiteral("/bin/quorvanta"), {}, {}}};
    facts.controls = {{QStringLiteral("TAlignEdit"), QStringLiteral("edt_result")},
                      {QStringLiteral("Tfrm_calc"), QStringLiteral("frm_calc")}};
    const QString sep = QString(78, u'-') + QStringLiteral("\r\n");
    EXPECT_EQ(BuildReport(facts, CallStack),
              QStringLiteral("Stack list, generated 04.03.2026 05:06:07\r\n"
                             "[00401000] main (main.cpp:3)\r\n") +
                  sep);
    EXPECT_EQ(
        BuildReport(facts, System),
        QStringLiteral("System   : Debian 12 linux 6.1.0, Version: 12.0, Build: 2a, \"x86_64\"\r\n"
                       "Prozessor: GenuineIntel, Core, 2400 MHz SSE2\r\n"
                       "Speicher : 4096 MB, frei: 1024 MB\r\n"
                       "Anzeige  : 1920x1080 pixels, 24 bpp\r\n") +
            sep);
    // sorted by load address; a moved module shows its preferred base instead of the indent
    EXPECT_EQ(BuildReport(facts, Modules),
              QStringLiteral("Liste der geladenen Module:\r\n"
                             "[00001000] /bin/quorvanta\r\n"
                             "<00002000> (keine Versionsinformationen)\r\n"
                             "[00007f00] /lib/libb.so.2\r\n"
                             "           2\r\n") +
                  sep);
    EXPECT_EQ(BuildReport(facts, ActiveControls),
              QStringLiteral("Hierarchie der aktiven Steuerelemente:\r\n"
                             "TAlignEdit \"edt_result\"\r\n"
                             "Tfrm_calc \"frm_calc\"\r\n") +
                  sep);
    EXPECT_EQ(BuildReport(facts, AllSections),
              BuildReport(facts, CallStack) + BuildReport(facts, System) +
                  BuildReport(facts, Modules) + BuildReport(facts, ActiveControls));
}

TEST(ExceptionReport, FieldsAndAnswerRule)
{
    const auto fields = ReportFields(QStringLiteral("R"), QStringLiteral("M"),
                                     QStringLiteral("Quorvanta"), QStringLiteral("1.2.3.4"));
    ASSERT_EQ(fields.size(), 4);
    EXPECT_EQ(fields[0], std::make_pair(QStringLiteral("Stack"), QStringLiteral("R")));
    EXPECT_EQ(fields[1], std::make_pair(QStringLiteral("ErrorMessage"), QStringLiteral("M")));
    EXPECT_EQ(fields[2], std::make_pair(QStringLiteral("Programm"), QStringLiteral("Quorvanta")));
    EXPECT_EQ(fields[3], std::make_pair(QStringLiteral("Version"), QStringLiteral("1.2.3.4")));
    EXPECT_EQ(SendOutcome(true, "OK"), SendResult::Close);
    EXPECT_EQ(SendOutcome(true, ""), SendResult::MessageThenClose);
    EXPECT_EQ(SendOutcome(false, "OK"), SendResult::MessageAndStayOpen);
}

TEST(ExceptionReport, CrashFileSplitsIntoMessageAndReport)
{
    const auto crash = ParseCrashFile("Signal SIGSEGV\nException class: SIGSEGV\nline\n");
    ASSERT_TRUE(crash);
    EXPECT_EQ(crash->message, QStringLiteral("Signal SIGSEGV"));
    EXPECT_EQ(crash->report, QStringLiteral("Exception class: SIGSEGV\r\nline\r\n"));
    EXPECT_FALSE(ParseCrashFile(""));
    EXPECT_FALSE(ParseCrashFile("no line end"));
}

TEST(ExceptionReport, CaptionsCarryTheTitleAndTheFoldingMarks)
{
    EXPECT_EQ(DialogCaption(QStringLiteral("Quorvanta")),
              QStringLiteral("Quorvanta - Anwendungsfehler"));
    EXPECT_EQ(DetailsCaption(QStringLiteral("&Details"), false), QStringLiteral("&Details >>"));
    EXPECT_EQ(DetailsCaption(QStringLiteral("&Details"), true), QStringLiteral("<< &Details"));
}
