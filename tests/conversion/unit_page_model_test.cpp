#include "conversion/unit_page_model.h"

#include "calculator/key_chars.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace {

struct Page {
    RecordingServices services;
    UnitPageModel grids{{services, services}};

    // A value cell as its editor opens on a click and a first key: the whole text selected.
    FieldState open(int grid, int row) const
    {
        const QString text = grids.Values(grid)[row];
        return {text, int(text.size()), 0, int(text.size())};
    }
    void typeOn(int grid, int row, FieldState& cell, const QString& keys)
    {
        for (const QChar key : keys)
            grids.KeyPress(grid, row, cell, key.unicode());
        ASSERT_EQ(cell.text, value(grid, row));
    }
    QString type(int grid, int row, const QString& keys)
    {
        FieldState cell = open(grid, row);
        typeOn(grid, row, cell, keys);
        return cell.text;
    }
    QString value(int grid, int row) const { return grids.Values(grid)[row]; }
};

// "\b" stands for Backspace.
TEST(GridKeys, TypedTextAndWhatAnotherRowShows)
{
    const struct {
        int grid;
        int row;
        const char* keys;
        const char* cell;
        int otherRow;
        const char* other;
    } rows[] = {
        {1, 0, "1.2.3", "1.23", 6, "0.0012"}, // one "." only
        {1, 0, "1,5", "1.5", 1, "150.0000"},  // "," becomes "."
        {1, 0, "12.", "12.", 1, "1200.0000"},
        {1, 0, "-5+(/)*", "5", 1, "500.0000"}, // no sign, no operators
        {4, 0, "-12", "-12", 2, "10.40"},      // temperatures take a sign
        {4, 0, "1-2", "12", 2, "53.60"},       // at the front only
        {4, 0, "--5+", "-5", 1, "268.15"},     // once
        {4, 0, "-", "-", 1, ""},               // no number yet
        {4, 0, "-300", "-300", 2, ""},         // below absolute zero
        {4, 1, "-5", "-5", 0, ""},
        {1, 0, "1a2 x", "12", 1, "1200.0000"},
        {1, 0, "123\b", "12", 1, "1200.0000"},
        {1, 0, "1234567890123456789", "123456789012345678", 6, "123456789012345.6900"},
        {1, 0, "1234567890123456789\b", "12345678901234567", 6, "12345678901234.5680"},
        {12, 0, "2.5,5", "255", 1, "11111111"}, // no separators for whole numbers
        {12, 0, "A1b2", "12", 3, "14"},
        {12, 2, "ff", "FF", 0, "255"},
        {12, 1, "10213", "101", 0, "5"},  // binary digits only
        {12, 3, "7890", "70", 0, "56"},   // octal digits only
        {14, 4, "16", "1", 0, "0.5-1.8"}, // 16 and more cannot be typed
        {14, 4, "165", "15", 5, "Orkan"},
        {14, 4, "23", "2", 3, "4-6"},
        {14, 4, "1.", "1", 1, "1.9-6.4"},
        {14, 4, "0", "0", 5, ""},
        {14, 5, "3x", "", 4, ""}, // the description is never typed
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.grid) + " " + row.keys);
        Page page;
        EXPECT_EQ(page.type(row.grid, row.row, QString::fromUtf8(row.keys)),
                  QString::fromUtf8(row.cell));
        EXPECT_EQ(page.value(row.grid, row.otherRow), QString::fromUtf8(row.other));
    }
}

TEST(GridKeys, HexadecimalLettersPassTheLengthLimitDigitsDoNot)
{
    Page page;
    const QString f20(20, u'F');
    EXPECT_EQ(page.type(12, 2, f20 + u'1'), f20);
    EXPECT_EQ(page.value(12, 0), u"1,20892581961463E24");
    EXPECT_EQ(page.value(12, 1), u"");
}

TEST(GridKeys, TypingOverTheSelectionReplacesTheComputedText)
{
    Page page;
    page.type(1, 6, QStringLiteral("1"));
    // "1000.0000" is selected: the "." goes into the replaced text, not after a "."
    EXPECT_EQ(page.type(1, 0, QStringLiteral(".5")), u".5");
    EXPECT_EQ(page.value(1, 6), u"0.0005");

    page.type(14, 1, QStringLiteral("30")); // Beaufort 5
    EXPECT_EQ(page.type(14, 4, QStringLiteral("7")), u"7");
    // With the caret after the 7 (nothing selected) a second digit makes 70: refused.
    FieldState cell{QStringLiteral("7"), 1, 1, 0};
    page.typeOn(14, 4, cell, QStringLiteral("1"));
    EXPECT_EQ(cell.text, u"7");
    EXPECT_EQ(page.value(14, 5), u"steifer Wind");
}

TEST(GridKeys, TheMinusOfATemperatureReplacesTheSelectionAndStaysInFront)
{
    Page page;
    page.type(4, 0, QStringLiteral("20"));
    EXPECT_EQ(page.type(4, 0, QStringLiteral("-3")), u"-3"); // "20" was selected
    EXPECT_EQ(page.value(4, 2), u"26.60");
    FieldState cell{QStringLiteral("-3"), 0, 0, 0}; // caret before the "-"
    page.typeOn(4, 0, cell, QStringLiteral("1-"));
    EXPECT_EQ(cell.text, u"-3");
    cell = {QStringLiteral("12"), 0, 0, 0}; // caret before the digits
    page.typeOn(4, 0, cell, QStringLiteral("-"));
    EXPECT_EQ(cell.text, u"-12");
    EXPECT_EQ(page.value(4, 1), u"261.15");
}

TEST(GridKeys, ASpeedAfterABeaufortNumberFirstClearsTheRangeTexts)
{
    Page page;
    page.type(14, 4, QStringLiteral("12"));
    ASSERT_EQ(page.value(14, 0), u"32.6-36.9");
    FieldState cell{page.value(14, 0), 9, 9, 0}; // caret at the end of the range text
    page.typeOn(14, 0, cell, QStringLiteral("1"));
    EXPECT_EQ(cell.text, u"1");
    EXPECT_EQ(page.value(14, 1), u"3.6000");
    EXPECT_EQ(page.value(14, 4), u"1");
    EXPECT_EQ(page.value(14, 5), u"leichter Zug");
}

TEST(GridClipboard, CopyTheCellPasteOnlyANumber)
{
    Page page;
    page.type(1, 6, QStringLiteral("2"));
    page.type(1, 0, QString(QChar(KeyChar::CtrlC)));
    EXPECT_EQ(page.services.clipboard, u"2000.0000");
    EXPECT_EQ(page.value(1, 6), u"2");

    const struct {
        const char* clipboard;
        const char* cell;
        const char* fahrenheit;
    } rows[] = {
        {"-40", "-40", "-40.00"}, {"1.5", "1.5", "34.70"}, {"1,5", "1,5", "34.70"},
        {"abc", "", ""},          {"1.5.3", "", ""},       {"", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.clipboard);
        Page page;
        page.services.clipboard = QString::fromUtf8(row.clipboard);
        EXPECT_EQ(page.type(4, 0, QString(QChar(KeyChar::CtrlV))), QString::fromUtf8(row.cell));
        EXPECT_EQ(page.value(4, 2), QString::fromUtf8(row.fahrenheit));
    }
}

TEST(GridClipboard, PastedNonDigitsOfTheBaseAndBeaufortAboveFifteenShowNothing)
{
    Page page;
    page.type(12, 0, QStringLiteral("255"));
    page.services.clipboard = QStringLiteral("129");
    EXPECT_EQ(page.type(12, 1, QString(QChar(KeyChar::CtrlV))), u"129");
    EXPECT_EQ(page.grids.Values(12).join(u'|'), u"|129||");

    page.type(14, 4, QStringLiteral("6"));
    page.services.clipboard = QStringLiteral("20");
    page.type(14, 4, QString(QChar(KeyChar::CtrlV)));
    EXPECT_EQ(page.grids.Values(14).join(u'|'), u"||||20|");
    EXPECT_EQ(page.grids.WindComboIndex(), -1);
}

TEST(WindCombo, ChoosingADescriptionEntersItsBeaufortNumber)
{
    Page page;
    EXPECT_EQ(page.grids.WindComboItems().size(), 12);
    EXPECT_EQ(page.grids.WindComboItems().last(), u"Orkan");
    page.grids.WindForceChosen(5); // "starker Wind"
    EXPECT_EQ(page.grids.Values(14).join(u'|'),
              u"11.1-14.1|39.9-50.9|24.8-31.6|22-27|6|starker Wind");
    EXPECT_EQ(page.grids.WindComboIndex(), 5);
    EXPECT_TRUE(page.services.signals_.empty());
    // Typed or pasted, nothing gets into the description cell.
    page.services.clipboard = QStringLiteral("7");
    EXPECT_EQ(page.type(14, 5, QStringLiteral("\x16\b9")), u"starker Wind");
}

TEST(WindCombo, ShowsWithTheWindPanelAndOnTheDescriptionCellOnly)
{
    Page page;
    EXPECT_FALSE(page.grids.WindComboVisible());
    page.grids.ShowQuantity(13);
    EXPECT_EQ(page.grids.ShownQuantity().grid, 14);
    EXPECT_TRUE(page.grids.WindComboVisible());
    EXPECT_TRUE(page.grids.SelectCell(14, 1, 0));
    EXPECT_FALSE(page.grids.WindComboVisible());
    EXPECT_TRUE(page.grids.SelectCell(14, 5, 0));
    EXPECT_TRUE(page.grids.WindComboVisible());
    EXPECT_FALSE(page.grids.SelectCell(14, 5, 1)); // unit names cannot be selected
    page.grids.ShowQuantity(0);
    EXPECT_FALSE(page.grids.WindComboVisible());
}

TEST(UnitNames, MarkedRowsAndTranslatedNames)
{
    Page page;
    EXPECT_EQ(page.grids.UnitNames(13)[4], u"kg/h *");
    EXPECT_EQ(page.grids.UnitNames(13)[6], u"lb/min *");
    EXPECT_EQ(page.grids.UnitNames(1)[6], u"bar");
    UnitTexts english;
    english.volumeFlowUnits[4] = QStringLiteral("kg/hr");
    english.windRows[3] = QStringLiteral("knots");
    english.windDescriptions[11] = QStringLiteral("hurricane");
    page.type(14, 1, QStringLiteral("118"));
    page.grids.SetTexts(english);
    EXPECT_EQ(page.value(14, 0), u"32.7778");
    EXPECT_EQ(page.grids.UnitNames(13)[4], u"kg/hr *");
    EXPECT_EQ(page.grids.UnitNames(14)[3], u"knots");
    EXPECT_EQ(page.grids.UnitNames(12)[1], u"Binär");
    EXPECT_EQ(page.value(14, 5), u"hurricane");
}

} // namespace
