#include "units/ui/unit_page.h"

#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class UnitPageTest : public testing::Test {
protected:
    QTableWidget* grid(const QString& name) { return page.findChild<QTableWidget*>(name); }

    RecordingServices services;
    UnitPage page{{services, services}};
};

TEST_F(UnitPageTest, BuildsItsControlsOnTheFirstShowing)
{
    EXPECT_EQ(page.findChild<QGroupBox*>(QStringLiteral("gbo_einheiten")), nullptr);
    page.show();
    ASSERT_NE(page.findChild<QGroupBox*>(QStringLiteral("gbo_einheiten")), nullptr);
    EXPECT_EQ(page.findChildren<QRadioButton*>().size(), QuantityCount);
    for (const Quantity& q : Quantities()) {
        SCOPED_TRACE(q.gridName.toString().toStdString());
        QTableWidget* view = grid(q.gridName.toString());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->rowCount(), int(q.units.size()));
        const bool volume = q.grid == 10;
        EXPECT_EQ(view->columnWidth(0), volume ? 90 : 110);
        EXPECT_EQ(view->columnWidth(1), volume ? 100 : 80);
        EXPECT_FALSE(view->item(0, 1)->flags().testFlag(Qt::ItemIsEditable));
        EXPECT_EQ(view->isVisibleTo(&page), q.grid == 1);
    }
    EXPECT_TRUE(page.findChild<QRadioButton*>(QStringLiteral("rbo_einheiten00"))->isChecked());
}

TEST_F(UnitPageTest, WindComboLiesOverTheDescriptionCell)
{
    page.show();
    page.findChild<QRadioButton*>(QStringLiteral("rbo_einheiten13"))->click();
    QTableWidget* wind = grid(QStringLiteral("sgr_14_windstaerke"));
    auto* combo = page.findChild<QComboBox*>(QStringLiteral("cbo_wind_bezeichnung"));
    ASSERT_TRUE(wind->isVisible());
    wind->setCurrentCell(1, 0);
    EXPECT_FALSE(combo->isVisible());
    wind->setCurrentCell(5, 0);
    ASSERT_TRUE(combo->isVisible());
    const QRect cell = wind->visualRect(wind->model()->index(5, 0));
    EXPECT_EQ(combo->geometry().topLeft(),
              wind->viewport()->mapTo(combo->parentWidget(), cell.topLeft()));
    wind->setCurrentCell(5, 1); // unit names cannot be chosen
    EXPECT_EQ(wind->currentColumn(), 0);
    EXPECT_TRUE(combo->isVisible());
}

} // namespace
