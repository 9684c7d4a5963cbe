#include "calculator/keypad_controller.h"
#include "drawings/gif_writer.h"
#include "formulas/formula_page.h"
#include "shell/platform/fonts.h"
#include "shell/platform/program_folder.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

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
    KeypadController calculator{display, {services, services}};
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
    EXPECT_EQ(shown.size(), panel->size());
    EXPECT_EQ(shown.toImage().pixel(shown.width() / 2, shown.height() / 2), qRgb(255, 0, 0));
}

} // namespace
