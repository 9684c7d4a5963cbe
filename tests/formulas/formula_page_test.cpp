#include "drawings/gif_writer.h"
#include "formulas/ui/formula_page.h"
#include "keypad/engine/keypad_page_model.h"
#include "platform/fonts.h"
#include "platform/program_folder.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class FormulaPageTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterProgramFonts(); }
    ~FormulaPageTest() override { ProgramFolder::SetPath(QString()); }

    void show()
    {
        page.show();
        page.pco_mainChange();
    }
    template <typename T> T* child(const char* name)
    {
        return page.findChild<T*>(QString::fromLatin1(name));
    }
    void choose(int tab, int item)
    {
        child<QTabWidget>("pco_formel")->setCurrentIndex(tab);
        const char* lists[] = {"cbo_formel", "cbo_flaeche", "cbo_volumen"};
        auto* list = child<QComboBox>(lists[tab]);
        list->setCurrentIndex(item);
        emit list->activated(item);
    }

    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calculator{display, {services, services}};
    McStrings captions;
    FormulaPage page{calculator, captions, {services, services}};
};

TEST_F(FormulaPageTest, BuildsItsControlsOnTheFirstShowing)
{
    EXPECT_EQ(child<QWidget>("edt_variable0"), nullptr);
    show();
    for (const char* name :
         {"pco_formel", "cbo_formel", "cbo_flaeche", "cbo_volumen", "udo_fix2", "scx_formel",
          "img_formel_front", "img_loeschen", "img_falscheEingabe", "img_erklaer", "pnl_zeichnung",
          "img_ShowZeichnung", "sgr_memoryblock2", "img_clear2"})
        EXPECT_NE(child<QWidget>(name), nullptr) << name;
    EXPECT_EQ(child<QComboBox>("cbo_flaeche")->count(), 15);
    EXPECT_EQ(child<QWidget>("img_erklaer")->geometry(), QRect(8, 254, 181, 203));
}

// The fields go where the renderer measured them, italic where it drew a letter in italic.
TEST_F(FormulaPageTest, FieldsLieWhereTheRendererPutThem)
{
    show();
    choose(0, 2);
    const auto& places = page.Renderer().Fields();
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        auto* field = child<QLineEdit>(qPrintable(QStringLiteral("edt_variable%1").arg(k)));
        EXPECT_EQ(field->isVisibleTo(&page), k < 4);
        if (k >= 4)
            continue;
        EXPECT_EQ(field->pos(), places[size_t(k)].pos);
        EXPECT_EQ(field->width(), places[size_t(k)].width);
        EXPECT_EQ(field->font().italic(), k == 2);
    }
}

// The drawings come from the program folder: one that is missing or cannot be read hides
// the panel, a good one is shown.
TEST_F(FormulaPageTest, MissingOrBrokenDrawingHidesThePanel)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("zeichnungen"));
    QFile broken(folder.filePath(QStringLiteral("zeichnungen/01_quadrat.cc6")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a\x10\x00\x10\x00\x80\x00\x00 no picture here");
    broken.close();
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QFile good(folder.filePath(QStringLiteral("zeichnungen/03_parallelogramm.cc6")));
    ASSERT_TRUE(good.open(QIODevice::WriteOnly));
    good.write(WriteGif(picture, {qRgb(255, 0, 0), qRgb(255, 255, 255)}));
    good.close();
    ProgramFolder::SetPath(folder.path());

    show();
    auto* panel = child<QWidget>("pnl_zeichnung");
    const struct {
        int item;
        bool shown;
    } cases[] = {{0, false}, {1, false}, {2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        choose(1, c.item);
        EXPECT_EQ(panel->isVisibleTo(&page), c.shown);
    }
    const QPixmap shown = child<QLabel>("img_zeichnung")->pixmap();
    EXPECT_EQ(shown.deviceIndependentSize().toSize(), panel->size());
    EXPECT_EQ(shown.toImage().pixel(shown.width() / 2, shown.height() / 2), qRgb(255, 0, 0));
}

// The magnifier shows "+" under the legend and "−" over the memory grid, both whole: the
// minus as wide as the plus's bar. Enlarged, the drawing takes its 175 × 204 place.
TEST_F(FormulaPageTest, MagnifierFacesAreWholeAndTheDrawingGrows)
{
    ProgramFolder::SetPath(QStringLiteral(QUORVANTA_PROGRAM_DIR));
    show();
    choose(1, 1);
    auto* toggle = child<QAbstractButton>("img_ShowZeichnung");
    // The widest run of dark pixels in one row of the face.
    const auto bar = [&] {
        const QImage face = toggle->grab().toImage();
        int widest = 0;
        for (int y = 3; y < face.height() - 3; ++y) {
            int run = 0;
            for (int x = 3; x < face.width() - 3; ++x) {
                run = qGray(face.pixel(x, y)) < 100 ? run + 1 : 0;
                widest = std::max(widest, run);
            }
        }
        return widest;
    };
    const int plus = bar();
    EXPECT_GE(plus, 5);
    auto* picture = child<QLabel>("img_zeichnung");
    const int smallWidth = picture->width();
    toggle->click();
    EXPECT_GE(bar(), plus - 1);
    EXPECT_EQ(child<QWidget>("pnl_zeichnung")->geometry(), QRect(183, 254, 175, 204));
    EXPECT_EQ(picture->size(), QSize(175, 204));
    EXPECT_GT(picture->width(), smallWidth);
    EXPECT_TRUE(child<QWidget>("pnl_zeichnung")->rect().contains(toggle->geometry()));
}

// Shift+Insert and the context menu paste as Ctrl+V does: a number solves at once, a text
// that is no number is refused.
TEST_F(FormulaPageTest, EveryPasteGoesTheWayOfCtrlV)
{
    display.FixDecimals = 2;
    show();
    choose(1, 0); // square
    auto* a = child<QLineEdit>("edt_variable1");
    auto* area = child<QLineEdit>("edt_variable0");
    a->setFocus();
    page.PageModel().Model().FocusedField = 1; // an offscreen window takes no focus
    services.clipboard = QStringLiteral("4");
    QKeyEvent shiftInsert(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
    QApplication::sendEvent(a, &shiftInsert);
    EXPECT_EQ(a->text(), u"4");
    EXPECT_EQ(area->text(), u"16.00");

    const auto pasteFromMenu = [&](const QString& clipboard) {
        services.clipboard = clipboard;
        a->selectAll();
        QTimer::singleShot(0, [] {
            QMenu* menu = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && qobject_cast<QMenu*>(w))
                    menu = static_cast<QMenu*>(w);
            if (!menu)
                return ADD_FAILURE() << "no context menu";
            const QString pasteKey =
                QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            for (QAction* action : menu->actions())
                if (action->text().section(u'\t', 1) == pasteKey)
                    action->trigger();
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                a->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(a, &click);
    };
    pasteFromMenu(QStringLiteral("5"));
    EXPECT_EQ(a->text(), u"5");
    EXPECT_EQ(area->text(), u"25.00");
    pasteFromMenu(QStringLiteral("abc"));
    EXPECT_EQ(a->text(), u"5");
}

// The formula, the legend and the drawing are painted at the screen's device pixel ratio
// (tests/CMakeLists.txt runs this once more with QT_SCALE_FACTOR=2), never a 1× picture
// that the screen enlarges.
TEST_F(FormulaPageTest, PicturesHaveTheScreensPixelRatio)
{
    ProgramFolder::SetPath(QStringLiteral(QUORVANTA_PROGRAM_DIR));
    show();
    choose(1, 0);
    const qreal ratio = page.devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == u"2") {
        ASSERT_EQ(ratio, 2);
    }
    for (const char* name : {"img_formel_front", "img_erklaer", "img_zeichnung"}) {
        SCOPED_TRACE(name);
        auto* label = child<QLabel>(name);
        const QPixmap shown = label->pixmap();
        EXPECT_EQ(shown.devicePixelRatio(), ratio);
        EXPECT_EQ(shown.size(), label->size() * ratio);
    }
}

// A window moved to a screen of another pixel ratio gets its pictures painted anew there
// (tests/CMakeLists.txt runs this on two screens of ratio 1 and 2).
TEST_F(FormulaPageTest, AnotherScreenRepaintsThePictures)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        GTEST_SKIP() << "one screen";
    ProgramFolder::SetPath(QStringLiteral(QUORVANTA_PROGRAM_DIR));
    show();
    choose(1, 0);
    const qreal before = page.devicePixelRatioF();
    QScreen* other = screens[0]->devicePixelRatio() == before ? screens[1] : screens[0];
    page.move(other->geometry().topLeft() + QPoint(10, 10));
    page.windowHandle()->setScreen(other);
    const qreal after = page.devicePixelRatioF();
    ASSERT_NE(after, before);
    for (const char* name : {"img_formel_front", "img_erklaer", "img_zeichnung"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(child<QLabel>(name)->pixmap().devicePixelRatio(), after);
    }
}

} // namespace
