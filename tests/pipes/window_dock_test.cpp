#include "pipes/engine/window_dock.h"

#include <gtest/gtest.h>

namespace {

// The main window as the program places it on a full-HD screen, and the page's windows: the
// dimensions table, the chart, the ζ picker.
const QRect kScreen(0, 0, 1920, 1040);
const QRect kMain(774, 229, 372, 582);
const QSize kTable(342, 463), kChart(602, 503), kPicker(300, 304);

QRect at(QPoint place, QSize size)
{
    return QRect(place, size);
}

TEST(WindowDock, WindowsStackBesideTheMainWindowAndStayOnTheScreen)
{
    const struct {
        const char* what;
        QRect main;
        QList<QSize> sizes;
        QRect screen;
        QList<QPoint> expected;
    } cases[] = {
        {"one window at the right edge, level with the top",
         kMain,
         {kChart},
         kScreen,
         {{1146, 229}}},
        {"two below each other", kMain, {kTable, kPicker}, kScreen, {{1146, 229}, {1146, 692}}},
        {"the next column when the screen's bottom comes",
         QRect(200, 229, 372, 582),
         {kTable, kChart, kPicker},
         kScreen,
         {{572, 229}, {914, 229}, {914, 732}}},
        {"a column without room on the right goes left",
         kMain,
         {kTable, kChart, kPicker},
         kScreen,
         {{1146, 229}, {172, 229}, {172, 732}}},
        // At twice the scale the screen holds 960 × 520 pixels: the chart cannot stand beside.
        {"pushed onto a small screen",
         QRect(294, 0, 372, 520),
         {kChart},
         QRect(0, 0, 960, 520),
         {{358, 0}}},
        {"larger than the screen: its top-left corner on it",
         kMain,
         {QSize(2000, 1200)},
         kScreen,
         {{0, 0}}},
        {"none", kMain, {}, kScreen, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DockBeside(c.main, c.sizes, c.screen), c.expected);
    }
}

TEST(WindowDock, NoneOverAnotherOrTheMainWindowWhereTheScreenHasRoom)
{
    const QList<QSize> sizes{kTable, kChart, kPicker};
    for (int x = 0; x + kMain.width() <= kScreen.width(); x += 97)
        for (int y = 0; y + kMain.height() <= kScreen.height(); y += 61) {
            SCOPED_TRACE(testing::Message() << x << ", " << y);
            const QRect main(QPoint(x, y), kMain.size());
            const QList<QPoint> places = DockBeside(main, sizes, kScreen);
            ASSERT_EQ(places.size(), sizes.size());
            for (int i = 0; i < places.size(); ++i) {
                const QRect r = at(places[i], sizes[i]);
                EXPECT_TRUE(kScreen.contains(r));
                // Room for every column on one side or the other: nothing overlaps.
                const int allColumns = kTable.width() + kChart.width() + kPicker.width();
                if (main.left() >= allColumns || kScreen.right() - main.right() >= allColumns) {
                    EXPECT_FALSE(r.intersects(main)) << i;
                    for (int j = 0; j < i; ++j)
                        EXPECT_FALSE(r.intersects(at(places[j], sizes[j]))) << i << " " << j;
                }
            }
        }
}

} // namespace
