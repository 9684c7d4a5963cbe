// Random key sequences and random texts in every grid of the unit page: nothing may crash,
// no cell may show a non-number, and the grid always shows the conversion of the text in
// the cell last typed into, never half of one.
#include "common/key_chars.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"
#include "units/engine/unit_page_model.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <random>

namespace {

// What a computed cell of the grid may hold besides nothing.
const QRegularExpression& computedCell(const Quantity& q, int row)
{
    static const QRegularExpression decimals4(QStringLiteral("^-?\\d+\\.\\d{4}$"));
    static const QRegularExpression decimals2(QStringLiteral("^-?\\d+\\.\\d{2}$"));
    static const QRegularExpression decimal(QStringLiteral("^\\d+(,\\d+E\\d+)?$"));
    static const QRegularExpression digits(QStringLiteral("^[0-9A-F]+$"));
    static const QRegularExpression beaufort(QStringLiteral("^([1-9]|1[0-5])$"));
    static const QRegularExpression description(QStringLiteral("^\\D+$"));
    static const QRegularExpression speed(QStringLiteral("^(-?\\d+\\.\\d{4}|[<\\d.-]+)$"));
    switch (q.kind) {
    case ConversionKind::Factor:
        return decimals4;
    case ConversionKind::Temperature:
        return decimals2;
    case ConversionKind::NumberSystems:
        return row == 0 ? decimal : digits;
    case ConversionKind::Wind:
        return row == 4 ? beaufort : row == 5 ? description : speed;
    }
    return digits;
}

// The grid shows the whole conversion from one of its cells (a dropped key converts
// nothing, so that cell need not be the one typed into last).
void expectWholeConversion(const UnitPageModel& grids, int grid)
{
    const Quantity& q = *QuantityOfGrid(grid);
    const QStringList& values = grids.Values(grid);
    ASSERT_EQ(values.size(), int(q.units.size()));
    int source = -1;
    // The description of the wind grid converts nothing: it cannot be the source.
    const int sources = q.kind == ConversionKind::Wind ? 5 : int(values.size());
    for (int row = 0; row < sources && source < 0; ++row) {
        UnitPageModel again = grids;
        again.ConvertUnitRow(grid, row);
        if (again.Values(grid) == values)
            source = row;
    }
    ASSERT_GE(source, 0) << q.gridName.toString().toStdString() << ": "
                         << values.join(u'|').toStdString();
    for (int row = 0; row < values.size(); ++row) {
        const QString& text = values[row];
        SCOPED_TRACE(q.gridName.toString().toStdString() + " row " + std::to_string(row) + ": " +
                     text.toStdString());
        ASSERT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
        ASSERT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
        if (row != source && !text.isEmpty()) {
            ASSERT_TRUE(computedCell(q, row).match(text).hasMatch());
        }
    }
}

TEST(UnitRobustness, RandomKeysInEveryGrid)
{
    std::mt19937 random(20261208);
    const char16_t keys[] = {u'0',
                             u'1',
                             u'2',
                             u'5',
                             u'7',
                             u'8',
                             u'9',
                             u'.',
                             u',',
                             u'-',
                             u'+',
                             u'(',
                             u'a',
                             u'F',
                             u'e',
                             u'x',
                             u' ',
                             u'ä',
                             KeyChar::Backspace,
                             KeyChar::Enter,
                             KeyChar::Tab,
                             KeyChar::CtrlC,
                             KeyChar::CtrlV,
                             KeyChar::CtrlX};
    const QString clips[] = {
        QStringLiteral("1E300"),  QStringLiteral("-40"), QStringLiteral("99999999999999999999"),
        QStringLiteral("abc"),    QStringLiteral("1,5"), QStringLiteral("20"),
        QStringLiteral("-1E-300")};
    RecordingServices services;
    UnitPageModel grids({services, services});
    for (int run = 0; run < 1500; ++run) {
        const int grid = 1 + int(random() % QuantityCount);
        const int rows = int(QuantityOfGrid(grid)->units.size());
        const int row = int(random() % rows);
        const QString text = grids.Values(grid)[row];
        const int size = int(text.size());
        // The editor opens with the text selected, or the caret somewhere in it.
        const int caret = size ? int(random() % (size + 1)) : 0;
        FieldState cell =
            random() % 2 ? FieldState{text, size, 0, size} : FieldState{text, caret, caret, 0};
        for (int step = 0, steps = 1 + int(random() % 25); step < steps; ++step) {
            services.clipboard = clips[random() % std::size(clips)];
            grids.KeyPress(grid, row, cell, keys[random() % std::size(keys)]);
            ASSERT_EQ(cell.text, grids.Values(grid)[row]);
            ASSERT_GE(cell.cursor, 0);
            ASSERT_LE(cell.cursor, cell.text.size());
            expectWholeConversion(grids, grid);
        }
        if (random() % 10 == 0)
            grids.WindForceChosen(int(random() % 14) - 1);
    }
}

TEST(UnitRobustness, RandomTextsInEveryCell)
{
    std::mt19937 random(7);
    const QString alphabet =
        QStringLiteral("0123456789012345.,-+eEABCDF \t:xä€") + QChar(0) + QChar(0xD800);
    RecordingServices services;
    UnitPageModel grids({services, services});
    for (int i = 0; i < 10000; ++i) {
        QString text;
        for (int n = int(random() % 30); n > 0; --n)
            text += alphabet[int(random() % alphabet.size())];
        const int grid = 1 + int(random() % QuantityCount);
        const int row = int(random() % QuantityOfGrid(grid)->units.size());
        grids.SetEditText(grid, row, text);
        expectWholeConversion(grids, grid);
    }
}

} // namespace
