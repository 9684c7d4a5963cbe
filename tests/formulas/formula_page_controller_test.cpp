#include "calculator/key_chars.h"
#include "formulas/formula_page_controller.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace {

class FormulaPage : public testing::Test {
protected:
    FormulaPage()
    {
        display.FixDecimals = 5;
        page.pco_mainChange();
    }

    // The user enters field k (its whole text selected) and types `keys`.
    void type(int k, const QString& keys)
    {
        page.Model().FocusedField = k;
        FieldState state{text(k), 0, 0, int(text(k).size())};
        for (const QChar key : keys)
            page.edt_KeyPress(k, state, key.unicode());
    }
    void choose(FormulaGroup group, int index)
    {
        page.pco_formelChanging();
        page.pco_formelChange(group);
        page.cbo_formelChange(index);
    }
    QString text(int k) const { return page.Model().Fields[size_t(k)].text; }

    CalcDisplay display;
    McStrings captions;
    MemorySlots memory;
    RecordingServices services;
    FormulaPageController page{display, captions, memory, {services, services}};
};

TEST_F(FormulaPage, TypedKeysFollowTheDisplaysRules)
{
    const struct {
        const char* keys;
        const char* shown;
    } cases[] = {
        {"05", "5"},               // a lone 0 gives way to the next digit
        {".5", "0,5"},             // a separator first gives "0."
        {"1.2.3", "1,23"},         // a second separator is dropped
        {"123456789", "12345678"}, // eight characters at most
        {"-2", "2"},               // no sign
        {"2 x", "2"},              // blanks and letters are dropped
    };
    choose(FormulaGroup::Areas, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        type(1, QString::fromUtf8(c.keys));
        EXPECT_EQ(text(1), QString::fromUtf8(c.shown));
    }
}

TEST_F(FormulaPage, PasteTakesANumberWholeUpToTheFieldsLength)
{
    choose(FormulaGroup::Areas, 0);
    services.clipboard = QStringLiteral("-1234567890123");
    type(1, QString(QChar(KeyChar::CtrlV)));
    EXPECT_EQ(text(1), u"-123456789");
    services.clipboard = QStringLiteral("1,5 m");
    type(1, QString(QChar(KeyChar::CtrlV)));
    EXPECT_EQ(text(1), u"-123456789");
}

TEST_F(FormulaPage, TheFixKeyOfTheKeypadReformatsTheResult)
{
    choose(FormulaGroup::Areas, 0);
    type(1, QStringLiteral("5"));
    ASSERT_EQ(text(0), u"25.00000");
    display.spb_fixClick();
    // In fix entry the next digit sets the decimals instead of reaching the field.
    FieldState state{text(1), 1, 1, 0};
    page.edt_KeyPress(1, state, u'2');
    EXPECT_EQ(display.FixDecimals, 2);
    EXPECT_EQ(text(1), u"5");
    EXPECT_EQ(text(0), u"25.00");
    EXPECT_EQ(page.Model().Fields[0].colour, FieldColour::Result);
}

TEST_F(FormulaPage, DrawingUnderTheLegendOrEnlargedOverTheMemory)
{
    bool drawingRead = true;
    page.DrawLegend = [] { return 48; };
    page.ShowDrawing = [&] { return drawingRead; };
    choose(FormulaGroup::Areas, 0);
    EXPECT_TRUE(page.DrawingVisible);
    EXPECT_EQ(page.DrawingPlace, QRect(8, 254 + 48, 163, 203 - 48));
    EXPECT_TRUE(page.MemoryGridVisible());

    page.img_ShowZeichnungClick();
    EXPECT_EQ(page.DrawingPlace, QRect(183, 254, 175, 203));
    EXPECT_FALSE(page.MemoryGridVisible());
    EXPECT_EQ(page.DrawingToggleHint(), u"Zeichnung verkleinern");
    // No drawing to show: the panel goes, and the memory grid comes back.
    drawingRead = false;
    page.cbo_formelChange(2);
    EXPECT_FALSE(page.DrawingVisible);
    EXPECT_TRUE(page.MemoryGridVisible());
    drawingRead = true;
    choose(FormulaGroup::BuildingServices, 0);
    EXPECT_FALSE(page.DrawingVisible);
    choose(FormulaGroup::Volumes, 0);
    EXPECT_EQ(page.DrawingPlace, QRect(183, 254, 175, 203));
}

TEST_F(FormulaPage, MemoryGoesThroughTheFocusedField)
{
    choose(FormulaGroup::Areas, 0);
    type(1, QStringLiteral("2.50"));
    page.spb_in2Click(3);
    EXPECT_EQ(memory.Value(3), u"2.5");
    page.Model().FocusedField = FormulaModel::NoField;
    page.spb_in2Click(4);
    EXPECT_EQ(memory.Value(4), u"");
    memory.Store(5, QStringLiteral("3"));
    page.Model().FocusedField = 1;
    page.spb_out2Click(5);
    EXPECT_EQ(text(1), u"3");
    EXPECT_EQ(text(0), u"9.00000");
}

} // namespace
