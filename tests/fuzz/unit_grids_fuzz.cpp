// The unit grids under any typing and pasting: a computed cell is empty or a number text,
// never a value that is no number.
#include "fuzz_target.h"

#include "common/key_chars.h"
#include "common/number_text.h"
#include "support/recording_services.h"
#include "units/engine/unit_page_model.h"

namespace {

const char16_t kKeys[] = {u'0',           u'1',          u'5', u'9', u'.', u',', u'-',
                          u'+',           u'E',          u'a', u'F', u'(', u' ', KeyChar::Backspace,
                          KeyChar::CtrlV, KeyChar::CtrlC};

// The rule of the grid: it shows the conversion of the text in the cell. Dropped keys convert
// nothing, so the conversion runs here once more before the rows are looked at.
void checkGrid(UnitPageModel& grids, int grid, int sourceRow)
{
    grids.ConvertUnitRow(grid, sourceRow);
    const Quantity* q = QuantityOfGrid(grid);
    const QStringList& values = grids.Values(grid);
    for (int row = 0; row < values.size(); ++row) {
        if (row == sourceRow)
            continue;
        // Written only for a broken promise: building it for every row cost more than the rows.
        const auto where = [&] {
            return QStringLiteral("grid %1 row %2 from %3: ").arg(grid).arg(row).arg(sourceRow) +
                   values.value(sourceRow) + QStringLiteral(" -> ") + values[row];
        };
        FUZZ_CHECK(!ShowsNonFinite(values[row]), where());
        // A source that is no number leaves the other rows as they were, typed text included.
        if ((q->kind == ConversionKind::Factor || q->kind == ConversionKind::Temperature) &&
            IsNumberText(values.value(sourceRow)))
            FUZZ_CHECK(values[row].isEmpty() || IsNumberText(values[row]), where());
    }
}

} // namespace

FUZZ_TARGET(unit_grids)
{
    FuzzInput in(data, size);
    RecordingServices services;
    UnitPageModel grids({services, services});
    // Sixteen steps reach every kind of key, paste and unit change; longer inputs only
    // repeated them and made this one of the slowest targets.
    for (int step = 0; step < 16 && !in.Empty(); ++step) {
        const int a = in.Byte();
        const int grid = 1 + in.Pick(QuantityCount);
        const int row = in.Pick(int(grids.Values(grid).size()));
        if (a < 160) {
            FieldState cell;
            cell.text = grids.Values(grid).value(row);
            cell.cursor = int(cell.text.size());
            if (a & 1) {
                cell.selectionStart = 0;
                cell.selectionLength = cell.cursor;
            } else {
                cell.selectionStart = cell.cursor;
            }
            grids.KeyPress(grid, row, cell, kKeys[a % std::size(kKeys)]);
            checkGrid(grids, grid, row);
        } else if (a < 200) {
            grids.SetEditText(grid, row, in.Text(20));
            checkGrid(grids, grid, row);
        } else if (a < 210) {
            grids.WindForceChosen(in.Pick(14) - 1);
        } else {
            services.clipboard = in.Text(20);
        }
    }
    return 0;
}
