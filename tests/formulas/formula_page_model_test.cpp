#include "calculator/key_chars.h"
#include "formulas/formula_page_model.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace {

class FormulaPage : public testing::Test {
protected:
    FormulaPage()
    {
        display.FixDecimals = 5;
        page.PageShown();
    }

    // The user enters field k (its whole text selected) and types `keys`.
    void type(int k, const QString& keys)
    {
        page.Model().FocusedField = k;
        FieldState state{text(k), 0, 0, int(text(k).size())};
        for (const QChar key : keys)
            page.FieldKeyTyped(k, state, key.unicode());
    }
    void choose(FormulaGroup group, int index)
    {
        page.GroupLeaving();
        page.GroupChosen(group);
        page.FormulaChosen(index);
    }
    QString text(int k) const { return page.Model().Fields[size_t(k)].text; }

    CalcDisplay display;
    McStrings captions;
    MemorySlots memory;
    RecordingServices services;
    FormulaPageModel page{display, captions, memory, {services, services}};
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
    display.StartFixEntry();
    // In fix entry the next digit sets the decimals instead of reaching the field.
    FieldState state{text(1), 1, 1, 0};
    page.FieldKeyTyped(1, state, u'2');
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

    page.DrawingSizeToggled();
    EXPECT_EQ(page.DrawingPlace, QRect(183, 254, 175, 204));
    EXPECT_FALSE(page.MemoryGridVisible());
    EXPECT_EQ(page.DrawingToggleHint(), u"Zeichnung verkleinern");
    // No drawing to show: the panel goes, and the memory grid comes back.
    drawingRead = false;
    page.FormulaChosen(2);
    EXPECT_FALSE(page.DrawingVisible);
    EXPECT_TRUE(page.MemoryGridVisible());
    drawingRead = true;
    choose(FormulaGroup::BuildingServices, 0);
    EXPECT_FALSE(page.DrawingVisible);
    choose(FormulaGroup::Volumes, 0);
    EXPECT_EQ(page.DrawingPlace, QRect(183, 254, 175, 203));
}

// Leaving a field runs its exit handling while the field is still the focused widget; the
// field being left must not count as focused, or the wrong slot is solved.
TEST_F(FormulaPage, TheFieldBeingLeftNeverCountsAsFocused)
{
    choose(FormulaGroup::Areas, 1); // rectangle A = a · b
    type(1, QStringLiteral("4"));
    type(2, QStringLiteral("5"));
    ASSERT_EQ(text(0), u"20.00000");
    // Delete in A: the placeholder comes back and the choice is free.
    page.Model().FocusedField = 0;
    page.FieldTextChanged(0, QString());
    page.FieldKeyReleased(0, true, QString());
    ASSERT_TRUE(page.Model().FreeChoice);
    // The user clicks b: A's exit runs before the focus has moved.
    page.FieldLeft(0);
    page.Model().FocusedField = 2;
    EXPECT_EQ(text(1), u"4");
    EXPECT_EQ(page.Model().Fields[1].colour, FieldColour::Input);
    EXPECT_EQ(text(0), u"20.00000");
    EXPECT_EQ(page.Model().Fields[0].colour, FieldColour::Result);
}

// The hexagon's computed dimension is a read-only field: no key, Backspace or paste
// changes it.
TEST_F(FormulaPage, ReadOnlyFieldRefusesKeysAndPaste)
{
    choose(FormulaGroup::Areas, 13); // e = 1.155 · SW
    type(0, QStringLiteral("10"));
    ASSERT_EQ(text(1), u"11.55000");
    ASSERT_TRUE(page.Model().Fields[1].readOnly);
    services.clipboard = QStringLiteral("3");
    for (const char16_t key :
         {char16_t(KeyChar::CtrlV), char16_t(u'7'), char16_t(KeyChar::Backspace)}) {
        SCOPED_TRACE(int(key));
        FieldState state{text(1), int(text(1).size()), int(text(1).size()), 0};
        page.FieldKeyTyped(1, state, key);
        EXPECT_EQ(state.text, u"11.55000");
        EXPECT_EQ(text(1), u"11.55000");
    }
    page.FieldKeyReleased(1, true, text(1));
    EXPECT_EQ(text(1), u"11.55000");
    EXPECT_EQ(page.Model().Fields[1].colour, FieldColour::Result);
}

// A paste that changes an input field evaluates as typing the same text would, whether or
// not an evaluation was pending.
TEST_F(FormulaPage, PasteEvaluatesLikeTyping)
{
    choose(FormulaGroup::Areas, 0); // square A = a²
    type(1, QStringLiteral("4"));
    ASSERT_EQ(text(0), u"16.00000");
    services.clipboard = QStringLiteral("5");
    FieldState state{text(1), 1, 1, 0}; // the caret after the 4
    page.FieldKeyTyped(1, state, KeyChar::CtrlV);
    EXPECT_EQ(text(1), u"45");
    EXPECT_EQ(text(0), u"2025.00000");
    // Leaving the field keeps the new result.
    page.FieldLeft(1);
    EXPECT_EQ(text(0), u"2025.00000");
    EXPECT_EQ(page.Model().Fields[0].colour, FieldColour::Result);
}

TEST_F(FormulaPage, MemoryGoesThroughTheFocusedField)
{
    choose(FormulaGroup::Areas, 0);
    type(1, QStringLiteral("2.50"));
    page.StoreInMemory(3);
    EXPECT_EQ(memory.Value(3), u"2.5");
    page.Model().FocusedField = FormulaModel::NoField;
    page.StoreInMemory(4);
    EXPECT_EQ(memory.Value(4), u"");
    memory.Store(5, QStringLiteral("3"));
    page.Model().FocusedField = 1;
    page.RecallFromMemory(5);
    EXPECT_EQ(text(1), u"3");
    EXPECT_EQ(text(0), u"9.00000");
}

} // namespace
