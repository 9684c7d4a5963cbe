#include "pipes/ui/pipe_page.h"
#include "platform/program_folder.h"
#include "shell/main_window.h"
#include "support/modal_watchdog.h"
#include "support/recording_services.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The page over the pipe files the build delivers beside the tests.
class PipePageTest : public testing::Test {
protected:
    PipePageTest()
    {
        page.LoadPipeFile(1);
        page.show();
    }
    template <typename T = AlignEdit> T* find(const char* name) const
    {
        return page.findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return find<QLineEdit>(name)->text(); }

    RecordingServices services;
    PipePage page{{services, services}};
};

TEST_F(PipePageTest, BuiltOnShowingWithItsDefaults)
{
    const struct {
        const char* name;
        const char* text;
    } fields[] = {{"edttv", "70,0"},   {"edttr", "50,0"},   {"edtLeistung", ""},
                  {"edtVP", ""},       {"edtLang", "2,00"}, {"edtMaxvp", "0,50"},
                  {"edtZetawert", ""}, {"edtDN", "10"},     {"edt_rohrvolumen", "0,25"}};
    for (const auto& f : fields)
        EXPECT_EQ(text(f.name), QString::fromUtf8(f.text)) << f.name;
    EXPECT_TRUE(find("edtDurchfl")->isReadOnly());
    EXPECT_EQ(find("edtVP")->Decimals(), 3);
    EXPECT_EQ(find<QComboBox>("cbxRohre")->count(), 48);
    EXPECT_EQ(find<QComboBox>("cbxRohre")->currentText(),
              u"Stahlrohr mittelschwer DN 10 (17,2 × 2,3)");
    EXPECT_EQ(find<QComboBox>("cbxDruckangabe")->count(), 13);
    EXPECT_EQ(find<QComboBox>("cbxMedium")->count(), 16); // water and the glycol mixtures
    EXPECT_EQ(find<QComboBox>("cbxMedium")->currentText(), u"Wasser");
    EXPECT_EQ(find<QComboBox>("cbxDruckangabe")->currentText(), u"mbar");
    EXPECT_EQ(find<QLabel>("lbl_rwert_einheit")->text(), u"mbar/m");
    EXPECT_EQ(find<QLabel>("Label27")->text(),
              u"Achtung: Die Ergebnisse ersetzen keine detaillierte Rohrplanung");
    EXPECT_EQ(find<ImageButton>("img_best_pipe")->toolTip(), u"Geeignetes Rohr suchen");
}

TEST_F(PipePageTest, KeysComputeAndTheSearchMarksAnExceededLimit)
{
    QTest::keyClicks(find("edtLeistung"), QStringLiteral("10000"));
    EXPECT_EQ(text("edtVP"), u"0,438");
    QTest::mouseClick(find<ImageButton>("img_best_pipe"), Qt::LeftButton);
    EXPECT_EQ(text("edtDN"), u"20");
    EXPECT_EQ(find<QSpinBox>("UpDown1")->value(), 2);
    const QColor normal = find("edtDurchfl")->palette().color(QPalette::Text);

    QTest::keyClicks(find("edtLeistung"), QStringLiteral("000"));
    QTest::mouseClick(find<ImageButton>("img_best_pipe"), Qt::LeftButton);
    EXPECT_EQ(text("edtDN"), u"150");
    const QColor red = find("edtDurchfl")->palette().color(QPalette::Text);
    EXPECT_NE(red, normal);
    // The mark follows the velocity and the limit, not the search.
    QTest::keyClick(find<QSpinBox>("UpDown1"), Qt::Key_Up);
    EXPECT_EQ(find<QComboBox>("cbxRohre")->currentIndex(), 12);
    EXPECT_EQ(find("edtDurchfl")->palette().color(QPalette::Text), red);
    QTest::keyClick(find<QSpinBox>("UpDown1"), Qt::Key_Down);
    EXPECT_EQ(text("edtDurchfl"), u"6,43");
    find("edtMaxvp")->selectAll();
    QTest::keyClicks(find("edtMaxvp"), QStringLiteral("9"));
    EXPECT_EQ(find("edtDurchfl")->palette().color(QPalette::Text), normal);
}

// A keyboard user reaches every button with Tab and clicks it with Space or Enter; F3
// searches from any field.
TEST_F(PipePageTest, EveryButtonWorksFromTheKeyboard)
{
    for (const char* name : {"spb_zetawerte", "img_best_pipe", "img_heizkreis", "img_rohrdiagramm",
                             "img_rohrauslegung_drucken", "img_rohrauslegung_csv"})
        EXPECT_TRUE(find<ImageButton>(name)->focusPolicy() & Qt::TabFocus) << name;
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    find("edtLeistung")->setFocus();
    QTest::keyClicks(find("edtLeistung"), QStringLiteral("10000"));
    QTest::keyClick(find("edtLeistung"), Qt::Key_F3);
    EXPECT_EQ(text("edtDN"), u"20");
    find<QComboBox>("cbxRohre")->setCurrentIndex(0);
    auto* search = find<ImageButton>("img_best_pipe");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Return);
    QTest::qWait(200); // the click is animated
    EXPECT_EQ(text("edtDN"), u"20");
}

TEST_F(PipePageTest, ValuesBeyondTheFieldsAreRefusedWithTheErrorSound)
{
    QTest::keyClicks(find("edtLeistung"), QStringLiteral("12345678901234567890123"));
    EXPECT_EQ(text("edtLeistung"), u"123456789"); // a tenth digit would pass 1e9 W
    EXPECT_EQ(services.signals_, std::vector<int>(14, 2));
    EXPECT_FALSE(text("edtVP").isEmpty());
    QTest::keyClicks(find("edtMaxvp"), QStringLiteral("0")); // 0,500 m/s is still fine
    services.signals_.clear();
    find("edtMaxvp")->selectAll();
    QTest::keyClicks(find("edtMaxvp"), QStringLiteral("11"));
    EXPECT_EQ(text("edtMaxvp"), u"1");
    EXPECT_EQ(services.signals_, std::vector<int>{2});
}

TEST_F(PipePageTest, ALanguageReloadKeepsThePipeAndItsNames)
{
    find<QSpinBox>("UpDown1")->setValue(16); // as a script's select: step by step
    page.LoadPipeFile(2);
    auto* pipes = find<QComboBox>("cbxRohre");
    EXPECT_EQ(pipes->currentIndex(), 16);
    EXPECT_EQ(pipes->currentText(), u"Copper tube 28 × 1.5");
    EXPECT_EQ(text("edtDN"), u"25");
}

// Every control of the page's boxes lies inside the box's frame, and every unit is as wide as
// its text, also where hinted text is wider (tests/CMakeLists.txt runs this at
// QT_SCALE_FACTOR=1.5 too).
TEST_F(PipePageTest, TheControlsAndTheirUnitsStayInsideTheFrames)
{
    const QList<QGroupBox*> boxes = page.findChildren<QGroupBox*>();
    ASSERT_FALSE(boxes.isEmpty());
    for (const QGroupBox* box : boxes)
        for (const QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_TRUE(box->rect().adjusted(2, 2, -2, -2).contains(control->geometry()));
            if (const auto* label = qobject_cast<const QLabel*>(control))
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        }
}

TEST(PipePageStart, AMissingPipeFileIsReportedOnceAndStartUpGoesOn)
{
    QTemporaryDir empty;
    ProgramFolder::SetPath(empty.path());
    RecordingServices services;
    ExpectModalDialog expected;
    MainWindow window(KeyFilterServices{services, services});
    // The table is read once the window is up, not while it is made.
    EXPECT_TRUE(window.findChildren<QMessageBox*>().isEmpty());
    window.FinishStart();
    ProgramFolder::SetPath(QString());
    const auto boxes = window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), u"Rohrdatei fehlt");
    boxes[0]->close();

    window.Pages()->setCurrentIndex(4);
    window.show();
    auto* page = window.findChild<PipePage*>(QStringLiteral("tshRohrauslegung"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->findChild<QComboBox*>(QStringLiteral("cbxRohre"))->count(), 0);
    QTest::keyClicks(page->findChild<AlignEdit*>(QStringLiteral("edtLeistung")),
                     QStringLiteral("10000"));
    EXPECT_EQ(page->findChild<AlignEdit*>(QStringLiteral("edtDurchfl"))->text(), u"");
    EXPECT_EQ(window.Pages()->count(), 5);
}

} // namespace
