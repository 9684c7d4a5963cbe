#include "pipes/engine/window_dock.h"
#include "pipes/ui/pipe_page.h"
#include "pipes/ui/pipe_windows.h"
#include "platform/printing.h"
#include "platform/program_folder.h"
#include "support/modal_watchdog.h"
#include "support/recording_services.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The page over the delivered pipe files, 70/50 °C and 10 kW typed.
class PipeWindowsTest : public testing::Test {
protected:
    PipeWindowsTest()
    {
        ProgramFolder::SetPath(QStringLiteral(PIPE_FILES_DIR));
        page.LoadPipeFile(1);
        page.show();
        QTest::keyClicks(find<AlignEdit>("edtLeistung"), QStringLiteral("10000"));
    }
    ~PipeWindowsTest() override { ProgramFolder::SetPath(QString()); }
    template <typename T> T* find(const char* name, QWidget* in = nullptr) const
    {
        return (in ? in : static_cast<QWidget*>(const_cast<PipePage*>(&page)))
            ->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return find<QLineEdit>(name)->text(); }

    RecordingServices services;
    PipePage page{{services, services}};
};

TEST_F(PipeWindowsTest, TheDimensionsTableOpensBesideAndSelectsByClick)
{
    EXPECT_EQ(page.DimensionsWindow(), nullptr); // made when first opened
    find<QCheckBox>("chk_rohrdimensionen")->click();
    ASSERT_NE(page.DimensionsWindow(), nullptr);
    EXPECT_TRUE(page.DimensionsWindow()->isVisible());
    auto* table = find<QTableWidget>("sgr_rohrdimensionen", page.DimensionsWindow());
    ASSERT_EQ(table->rowCount(), 12); // the steel series of the German file
    EXPECT_EQ(table->item(2, 0)->text(), u"20");
    EXPECT_TRUE(table->item(2, 0)->font().bold()); // the pipe the search would take
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), u"R mbar/m");

    const QRect cell = table->visualItemRect(table->item(3, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(find<QComboBox>("cbxRohre")->currentIndex(), 3);
    EXPECT_EQ(text("edtDN"), u"25");
    EXPECT_EQ(table->item(3, 2)->text(), text("edtDurchfl"));
    // The table follows the page; its own closing clears the toggle.
    QTest::keyClicks(find<AlignEdit>("edtLeistung"), QStringLiteral("0"));
    EXPECT_EQ(table->item(3, 2)->text(), text("edtDurchfl"));
    page.DimensionsWindow()->close();
    EXPECT_FALSE(find<QCheckBox>("chk_rohrdimensionen")->isChecked());
}

TEST_F(PipeWindowsTest, PickedFittingsFillTheZetaValue)
{
    find<ImageButton>("spb_zetawerte")->click();
    ZetaPickerWindow* picker = page.ZetaWindow();
    ASSERT_NE(picker, nullptr);
    // Two 90° elbows and a tee branch in DN 10: (2·30 + 60) · 0.027.
    find<QSpinBox>("udo_formstueck0", picker)->setValue(2);
    find<QSpinBox>("udo_formstueck3", picker)->setValue(1);
    EXPECT_EQ(find<QLineEdit>("edt_zetasumme", picker)->text(), u"3,24");
    find<QPushButton>("spb_zeta_uebernehmen", picker)->click();
    EXPECT_EQ(text("edtZetawert"), u"3,24");
    EXPECT_FALSE(text("edtZetaDP").isEmpty());
    // Esc from inside the list closes the picker; its counts wait for the next showing.
    ASSERT_TRUE(picker->isVisible());
    QTest::keyClick(find<QSpinBox>("udo_formstueck0", picker), Qt::Key_Escape);
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(find<QSpinBox>("udo_formstueck0", picker)->value(), 2);
}

TEST_F(PipeWindowsTest, TheChartMarksTheOperatingPointAndSavesAPng)
{
    EXPECT_EQ(page.ChartWindow(), nullptr);
    find<ImageButton>("img_rohrdiagramm")->click();
    ASSERT_NE(page.ChartWindow(), nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    ASSERT_TRUE(page.ChartWindow()->SavePng(path));
    const QImage image(path);
    ASSERT_EQ(image.size(), page.ChartWindow()->View()->size());
    const PipeChart chart = page.Sizing().Chart();
    ASSERT_TRUE(chart.operating.has_value());
    const QPoint at = page.ChartWindow()->View()->Position(*chart.operating).toPoint();
    EXPECT_EQ(image.pixelColor(at), QColor(0xC0, 0x00, 0x00));
    // A name typed without an ending gets ".png"; one with an ending keeps it.
    EXPECT_EQ(PipeChartWindow::PngPath(QStringLiteral("/tmp/chart")), u"/tmp/chart.png");
    EXPECT_EQ(PipeChartWindow::PngPath(QStringLiteral("/tmp/chart.PNG")), u"/tmp/chart.PNG");
    EXPECT_EQ(PipeChartWindow::PngPath(QString()), u"");
}

// The page on the second tab of a borderless window, as in the main window.
TEST(PipeSideWindows, DockBesideTheMainWindowFollowItAndHideWithThePage)
{
    ProgramFolder::SetPath(QStringLiteral(PIPE_FILES_DIR));
    RecordingServices services;
    QWidget main(nullptr, Qt::FramelessWindowHint);
    main.setGeometry(40, 30, 372, 500);
    auto* tabs = new QTabWidget(&main);
    tabs->setGeometry(0, 0, 372, 500);
    tabs->addTab(new QWidget, QStringLiteral("Rechner"));
    auto* page = new PipePage({services, services});
    tabs->addTab(page, QStringLiteral("Rohrauslegung"));
    page->LoadPipeFile(1);
    main.show();
    tabs->setCurrentIndex(1);
    page->findChild<QCheckBox*>(QStringLiteral("chk_rohrdimensionen"))->click();
    page->findChild<ImageButton*>(QStringLiteral("img_rohrdiagramm"))->click();
    page->findChild<ImageButton*>(QStringLiteral("spb_zetawerte"))->click();
    page->findChild<ImageButton*>(QStringLiteral("img_heizkreis"))->click();
    const QList<PipeSideWindow*> windows{page->DimensionsWindow(), page->ChartWindow(),
                                         page->ZetaWindow(), page->CircuitWindow()};
    const auto expectDocked = [&](const QList<PipeSideWindow*>& shown) {
        QApplication::processEvents();
        QList<QSize> sizes;
        for (const PipeSideWindow* w : shown)
            sizes.append(w->size());
        const QList<QPoint> places =
            DockBeside(main.frameGeometry(), sizes, main.screen()->availableGeometry());
        for (int i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(shown[i]->isVisible()) << i;
            EXPECT_EQ(shown[i]->pos(), places[i]) << i;
        }
    };
    expectDocked(windows);
    for (const PipeSideWindow* w : windows)
        EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    main.move(90, 60);
    expectDocked(windows);

    // Another page hides them; the pipe page brings them back.
    tabs->setCurrentIndex(0);
    for (const PipeSideWindow* w : windows)
        EXPECT_FALSE(w->isVisible());
    tabs->setCurrentIndex(1);
    expectDocked(windows);

    // Their own close button closes them for good; the others close up.
    QTest::mouseClick(windows[1]->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(windows[1]->isVisible());
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(windows[1]->isVisible());
    expectDocked({windows[0], windows[2], windows[3]});
    QTest::mouseClick(windows[0]->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(page->findChild<QCheckBox*>(QStringLiteral("chk_rohrdimensionen"))->isChecked());
    ProgramFolder::SetPath(QString());
}

TEST_F(PipeWindowsTest, PrintsThroughTheDialogAndExportsCsv)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("pipe.pdf"));
    page.Printer().PrintToPdf(pdf);
    {
        ExpectModalDialog expected;
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        find<ImageButton>("img_rohrauslegung_drucken")->click();
    }
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    QByteArray title; // the document's title, UTF-16 in the PDF's information
    for (const QChar c : QStringLiteral("Rohrauslegung"))
        title += char(0) + QByteArray(1, char(c.unicode()));
    EXPECT_TRUE(bytes.contains(title));

    const QString csv = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_TRUE(page.ExportCsv(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(content.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Rohrbezeichnung;") +
                               find<QComboBox>("cbxRohre")->currentText()));
    EXPECT_TRUE(lines.contains(QStringLiteral("Durchflussgeschwindigkeit;") + text("edtDurchfl") +
                               QStringLiteral(";m/s")));
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^\\d+;\\d+,\\d;"))).size(), 12);
    EXPECT_FALSE(page.ExportCsv(dir.filePath(QStringLiteral("no/such/folder.csv"))));
}

// The circuit from the page: sections taken, renamed, moved, re-opened and written back,
// following the page's fluid, saved and opened again; a bad file changes nothing.
TEST_F(PipeWindowsTest, TheCircuitTakesSectionsFromThePageAndFollowsIt)
{
    const auto take = [&] { find<QPushButton>("spb_teilstrecke")->click(); };
    const auto typeInto = [&](const char* name, const QString& value) {
        auto* edit = find<AlignEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, value);
    };
    take();
    ASSERT_NE(page.CircuitWindow(), nullptr);
    EXPECT_TRUE(page.CircuitWindow()->isVisible());
    auto* table = find<QTableWidget>("sgr_heizkreis", page.CircuitWindow());
    typeInto("edtLang", QStringLiteral("7"));
    take();
    ASSERT_EQ(page.Circuit().size(), 2);
    ASSERT_EQ(table->rowCount(), 3); // and the total row
    EXPECT_EQ(table->item(1, 0)->text(), u"TS 2");
    EXPECT_EQ(table->item(1, 10)->text(), WithSeparator(text("edtDP"), u',')); // mbar
    EXPECT_EQ(table->item(2, 4)->text(), u"9,00");

    table->item(0, 0)->setText(QStringLiteral("Kessel\tkreis"));
    EXPECT_EQ(page.Circuit()[0].name, u"Kessel kreis");
    table->setCurrentCell(1, 0);
    find<QPushButton>("spb_kreis_hoch", page.CircuitWindow())->click();
    EXPECT_EQ(page.Circuit()[0].name, u"TS 2");
    EXPECT_EQ(table->currentRow(), 0);

    // Re-opened: the page shows the section; "übernehmen" writes it back in its place.
    table->setCurrentCell(1, 0);
    find<QPushButton>("spb_kreis_bearbeiten", page.CircuitWindow())->click();
    EXPECT_EQ(text("edtLang"), u"2,00");
    typeInto("edtZetawert", QStringLiteral("4"));
    take();
    ASSERT_EQ(page.Circuit().size(), 2);
    EXPECT_EQ(page.Circuit()[1].name, u"Kessel kreis");
    EXPECT_EQ(page.Circuit()[1].zeta, 4);
    EXPECT_EQ(page.EditedSection(), -1);

    // Another fluid: every section anew, as the page computes it.
    const QString waterLoss = table->item(1, 10)->text();
    page.FluidChosen(1);
    page.EditSection(1);
    EXPECT_NE(table->item(1, 10)->text(), waterLoss);
    EXPECT_EQ(table->item(1, 10)->text(), WithSeparator(text("edtDP"), u','));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kreis.qvc"));
    ASSERT_TRUE(page.SaveCircuit(path));
    const QString totals = find<QLabel>("lbl_kreis_summen", page.CircuitWindow())->text();
    page.FluidChosen(0);
    table->setCurrentCell(0, 0);
    find<QPushButton>("spb_kreis_entfernen", page.CircuitWindow())->click();
    EXPECT_EQ(page.Circuit().size(), 1);
    EXPECT_EQ(page.EditedSection(), 0); // moved up with its row
    ASSERT_TRUE(page.OpenCircuit(path));
    EXPECT_EQ(page.Circuit().size(), 2);
    EXPECT_EQ(find<QLabel>("lbl_kreis_summen", page.CircuitWindow())->text(), totals);

    QFile bad(dir.filePath(QStringLiteral("bad.qvc")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("Quorvanta-Heizkreis\nversion\t7\n");
    bad.close();
    EXPECT_FALSE(page.OpenCircuit(bad.fileName()));
    EXPECT_EQ(page.Circuit().size(), 2);
    EXPECT_EQ(find<QLabel>("lbl_kreis_summen", page.CircuitWindow())->text(), totals);
    auto* message = page.findChild<QMessageBox*>();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), u"Die Heizkreisdatei hat eine unbekannte Version.");
    message->close();

    const QString csv = dir.filePath(QStringLiteral("kreis.csv"));
    ASSERT_TRUE(page.ExportCircuitCsv(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(file.readAll().mid(3));
    EXPECT_TRUE(content.contains(QStringLiteral("\r\nTS 2;10000;") + table->item(0, 2)->text()));
}

TEST(PipePageFile, AMissingFileIsSaidOnceUntilOneIsFound)
{
    QTemporaryDir empty;
    ProgramFolder::SetPath(empty.path());
    RecordingServices services;
    PipePage page{{services, services}};
    QSignalSpy said(&page, &PipePage::PipeFileMissing);
    page.LoadPipeFile(1);
    page.LoadPipeFile(2); // the language applied after start-up
    EXPECT_EQ(said.size(), 1);
    ProgramFolder::SetPath(QStringLiteral(PIPE_FILES_DIR));
    page.LoadPipeFile(1);
    ProgramFolder::SetPath(empty.path());
    page.LoadPipeFile(1);
    EXPECT_EQ(said.size(), 2);
    ProgramFolder::SetPath(QString());
}

} // namespace
