#include "units/engine/wind_force.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Wind {
    QStringList cells{6, QString()};
    int combo = -1;

    QString type(int row, const char* text)
    {
        cells[row] = QString::fromUtf8(text);
        combo = ConvertWind(row, cells, WindDescriptionDefaults(), combo);
        return cells.join(u'|');
    }
};

TEST(WindFromSpeed, SpeedsBeaufortDescriptionAndCombo)
{
    const struct {
        int row;
        const char* typed;
        const char* expected;
        int combo;
    } rows[] = {
        {1, "30", "8.3333|30|18.6416|16.1987|5|frischer Wind", 4},
        {1, "0.9", "0.2500|0.9|0.5592|0.4860||", -1},
        {1, "170", "47.2222|170|105.6360|91.7927|15|Orkan", -1},
        {1, "118", "32.7778|118|73.3238|63.7149|12|Orkan", 11},
        {0, "10", "10|36.0000|22.3700|19.4384|5|frischer Wind", 4},
        {3, "1", "0.5144|1.8520|1.1508|1|1|leichter Zug", 0},
        {2, "", "|||||", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Wind wind;
        EXPECT_EQ(wind.type(row.row, row.typed), QString::fromUtf8(row.expected));
        EXPECT_EQ(wind.combo, row.combo);
    }
}

TEST(WindFromSpeed, BandsStartAtTheirTruncatedKilometresPerHour)
{
    const int firsts[] = {1, 6, 12, 20, 29, 39, 50, 62, 75, 89, 103, 118, 134, 150, 167};
    for (int b = 1; b <= MaxBeaufort; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(BeaufortOfSpeed(firsts[b - 1]), b);
        EXPECT_EQ(BeaufortOfSpeed(firsts[b - 1] - 0.01), b - 1);
        EXPECT_EQ(BeaufortOfSpeed(firsts[b - 1] + 0.99), b);
    }
    EXPECT_EQ(BeaufortOfSpeed(-30), 0);
    EXPECT_EQ(BeaufortOfSpeed(1e300), 15);
}

TEST(WindFromBeaufort, RangeTextsAndDescription)
{
    const struct {
        const char* typed;
        const char* expected;
        int combo;
    } rows[] = {
        {"12", "32.6-36.9|117.7-133|73.1-82.6|64-72|12|Orkan", 11},
        {"6", "11.1-14.1|39.9-50.9|24.8-31.6|22-27|6|starker Wind", 5},
        {"1", "0.5-1.8|1.9-6.4|1.1-3.9|1-3|1|leichter Zug", 0},
        {"15", "46.2-50.9|166.1-183|103.2-113.7|91-99|15|Orkan", -1},
        {"0", "||||0|", -1},
        {"", "|||||", -1},
        // Only pasting gets a number outside the scale there: nothing to show for it.
        {"16", "||||16|", -1},
        {"-3", "||||-3|", -1},
        {"1E300", "||||1E300|", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Wind wind;
        wind.type(1, "30");
        EXPECT_EQ(wind.type(4, row.typed), QString::fromUtf8(row.expected));
        EXPECT_EQ(wind.combo, row.combo);
    }
}

TEST(WindFromBeaufort, TranslatedDescriptionsAndTheDescriptionRowIsNoSource)
{
    QStringList cells{6, QString()};
    cells[4] = QStringLiteral("3");
    QStringList english = WindDescriptionDefaults();
    english[2] = QStringLiteral("gentle breeze");
    EXPECT_EQ(ConvertWind(4, cells, english, -1), 2);
    EXPECT_EQ(cells[5], u"gentle breeze");
    EXPECT_EQ(ConvertWind(5, cells, english, 7), 7);
    EXPECT_EQ(cells[5], u"gentle breeze");
}

} // namespace
