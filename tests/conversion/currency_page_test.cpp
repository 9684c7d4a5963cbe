#include "calculator/align_edit.h"
#include "calculator/image_button.h"
#include "conversion/currency_page.h"
#include "shell/platform/program_folder.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <QSignalSpy>
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

    TAlignEdit* field(const char* name) const
    {
        return page.findChild<TAlignEdit*>(QString::fromLatin1(name));
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
    TAlignEdit* first = field("edt_waehrung1");
    TAlignEdit* second = field("edt_waehrung2");
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

} // namespace
