#include "currency/ui/currency_page.h"
#include "platform/program_folder.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"

#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An empty program folder for the page's life: no rate file, the built-in rates.
struct EmptyProgramFolder {
    EmptyProgramFolder() { ProgramFolder::SetPath(dir.path()); }
    ~EmptyProgramFolder() { ProgramFolder::SetPath(QString()); }
    QTemporaryDir dir;
};

class CurrencyPageTest : public testing::Test {
protected:
    CurrencyPageTest() { page.show(); }

    AlignEdit* field(const char* name) const
    {
        return page.findChild<AlignEdit*>(QString::fromLatin1(name));
    }

    EmptyProgramFolder folder;
    RecordingServices services;
    CurrencyPage page{{services, services}};
};

TEST_F(CurrencyPageTest, TheUpdateImageOnlyAsksForTheDownload)
{
    QSignalSpy requested(&page, &CurrencyPage::UpdateRequested);
    auto* image = page.findChild<ImageButton*>(QStringLiteral("img_kursupdate"));
    ASSERT_NE(image, nullptr);
    QTest::mouseClick(image, Qt::LeftButton);
    EXPECT_EQ(requested.count(), 1);
}

TEST_F(CurrencyPageTest, AKeyConvertsOnlyWhenLetGoInTheFieldItWasTypedIn)
{
    AlignEdit* first = field("edt_waehrung1");
    AlignEdit* second = field("edt_waehrung2");
    ASSERT_TRUE(first && second);
    QTest::keyClick(first, Qt::Key_1);
    EXPECT_EQ(second->text(), u"1,09941");

    // The Tab that carried the focus into field 2 is let go there: field 1 keeps the
    // amount typed, not the amount converted back (1,00000).
    QTest::keyRelease(second, Qt::Key_Tab);
    EXPECT_EQ(first->text(), u"1");
    // A key typed in field 2 converts from there, as every key does.
    QTest::keyClick(second, Qt::Key_End);
    EXPECT_EQ(first->text(), u"1,00000");
}

TEST_F(CurrencyPageTest, AComputedAmountShowsWhole)
{
    page.cbo_waehrung_2Change(8); // ITL
    AlignEdit* first = field("edt_waehrung1");
    QTest::keyClicks(first, QStringLiteral("1000000000"));
    EXPECT_EQ(field("edt_waehrung2")->text(), u"1936269621672,27856");
    // Typing stops at twelve characters.
    QTest::keyClicks(first, QStringLiteral("123"));
    EXPECT_EQ(first->text(), u"100000000012");
}

TEST_F(CurrencyPageTest, EnteringThePageFocusesTheFirstAmountAndTheFirstRate)
{
    auto* grid = page.findChild<QTableWidget*>(QStringLiteral("sgr_kurse"));
    grid->setCurrentCell(5, 1);
    field("edt_waehrung2")->setFocus();
    page.hide();
    page.show();
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(page.focusWidget(), field("edt_waehrung1"));
}

TEST_F(CurrencyPageTest, NewRatesKeepTheChosenCurrenciesAndAmounts)
{
    constexpr int kGbp = 22, kChf = 16;
    page.cbo_waehrung_1Change(kGbp);
    page.cbo_waehrung_2Change(kChf);
    QTest::keyClicks(field("edt_waehrung2"), QStringLiteral("100"));
    ExchangeRates rates = ParseExchangeRates(QByteArray());
    rates.date = QStringLiteral("03.02.2026");
    rates.rates[kGbp - FirstFloatingEntry] = QStringLiteral("2");
    rates.rates[kChf - FirstFloatingEntry] = QStringLiteral("0,5");
    QFile file(folder.dir.filePath(QStringLiteral("kurse.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteExchangeRates(rates));
    file.close();

    page.LoadExchangeRates(); // what a finished update and a change of language do
    EXPECT_EQ(page.findChild<QComboBox*>(QStringLiteral("cbo_waehrung_1"))->currentText(), u"GBP");
    EXPECT_EQ(page.findChild<QComboBox*>(QStringLiteral("cbo_waehrung_2"))->currentText(), u"CHF");
    EXPECT_EQ(field("edt_waehrung2")->text(), u"100");
    EXPECT_EQ(field("edt_waehrung1")->text(), u"25,00000");
}

} // namespace
