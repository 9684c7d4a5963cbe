#include "units/engine/number_systems.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Rows Dezimal | Binär | Hexadezimal | Oktal after typing `typed` into `row`.
QString converted(int row, const char* typed)
{
    QStringList cells{QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("old"),
                      QStringLiteral("old")};
    cells[row] = QString::fromUtf8(typed);
    ConvertNumberSystems(row, cells);
    return cells.join(u'|');
}

TEST(NumberSystems, FromEveryRowToTheOthers)
{
    const struct {
        int row;
        const char* typed;
        const char* expected;
    } rows[] = {
        {0, "255", "255|11111111|FF|377"},
        {2, "FF", "255|11111111|FF|377"},
        {1, "1010", "10|1010|A|12"},
        {3, "777", "511|111111111|1FF|777"},
        {2, "ff", "255|11111111|ff|377"},
        {0, "2147483647", "2147483647|1111111111111111111111111111111|7FFFFFFF|17777777777"},
        // Beyond 32 bits the decimal row still shows the value; the others cannot.
        {2, "80000000", "2147483648||80000000|"},
        {2, "FFFFFFFFFFFFFFFFFFFF", "1,20892581961463E24||FFFFFFFFFFFFFFFFFFFF|"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(converted(row.row, row.typed), QString::fromUtf8(row.expected));
    }
}

TEST(NumberSystems, ZeroNegativeEmptyAndUnreadableEmptyTheOtherRows)
{
    const struct {
        int row;
        const char* typed;
    } rows[] = {
        {1, "0"},   {1, ""},   {0, "0"},  {0, "-5"},  {0, "2147483648"}, {0, "12,5"},
        {1, "102"}, {3, "18"}, {2, "1G"}, {2, "1.5"}, {3, "1E5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const QString result = converted(row.row, row.typed);
        QStringList expected{QString(), QString(), QString(), QString()};
        expected[row.row] = QString::fromUtf8(row.typed);
        EXPECT_EQ(result, expected.join(u'|'));
    }
}

} // namespace
