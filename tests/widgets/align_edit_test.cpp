#include "common/key_chars.h"
#include "widgets/align_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

class AlignEditTest : public testing::Test {
protected:
    AlignEditTest()
    {
        auto* layout = new QVBoxLayout(&window);
        field = new AlignEdit(&window);
        next = new AlignEdit(&window);
        layout->addWidget(field);
        layout->addWidget(next);
        field->SetEditType(EditType::etFloat);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
    }

    void type(const char* keys) { QTest::keyClicks(field, QString::fromUtf8(keys)); }

    QWidget window;
    AlignEdit* field;
    AlignEdit* next;
};

TEST_F(AlignEditTest, DefaultsOfTheProperties)
{
    AlignEdit plain;
    EXPECT_EQ(plain.FieldAlignment(), AlignEdit::Alignment::eaLeft);
    EXPECT_EQ(plain.FieldEditType(), EditType::etString);
    EXPECT_TRUE(plain.JumpOnReturn());
    EXPECT_EQ(plain.Decimals(), 2);
    EXPECT_FALSE(plain.EmptyIfZero());
    plain.SetAlignment(AlignEdit::Alignment::eaRight);
    EXPECT_TRUE(plain.alignment() & Qt::AlignRight);
}

TEST_F(AlignEditTest, FloatFieldIsFormattedWhenEnterLeavesIt)
{
    QSignalSpy exits(field, &AlignEdit::Exited);
    type("1.5");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), u"1,50");
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(AlignEditTest, FloatFieldRefusesASecondSeparatorAndLetters)
{
    type("1,5.2a-");
    EXPECT_EQ(field->text(), u"1,52-");
}

TEST_F(AlignEditTest, PasteAndCopyPass)
{
    QApplication::clipboard()->setText(QStringLiteral("42"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), u"42");
}

TEST_F(AlignEditTest, EmptyFloatFieldBecomesZeroUnlessEmptyIfZero)
{
    field->DoExit();
    EXPECT_EQ(field->text(), u"0");
    field->clear();
    field->SetEmptyIfZero(true);
    field->DoExit();
    EXPECT_EQ(field->text(), u"");
}

TEST_F(AlignEditTest, TextThatDoesNotConvertStaysWithAnErrorSignal)
{
    QSignalSpy errors(field, &AlignEdit::errorSignal);
    QSignalSpy exits(field, &AlignEdit::Exited);
    for (const char* text : {"-", "1-2"}) {
        field->setText(QString::fromUtf8(text));
        field->DoExit();
        EXPECT_EQ(field->text(), QString::fromUtf8(text));
        EXPECT_EQ(field->GetFloat(), 0.0);
    }
    ASSERT_EQ(errors.count(), 2);
    EXPECT_EQ(errors.at(0).at(0).toInt(), 2);
    EXPECT_EQ(exits.count(), 2);
}

TEST_F(AlignEditTest, FocusLeavingByTabFormatsToo)
{
    field->SetDecimals(3);
    type("2");
    next->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), u"2,000");
}

TEST_F(AlignEditTest, FloatAccessors)
{
    field->SetFloat(2.345);
    EXPECT_EQ(field->text(), u"2,35");
    EXPECT_DOUBLE_EQ(field->GetFloat(), 2.35);
    field->SetEmptyIfZero(true);
    field->SetFloat(0);
    EXPECT_EQ(field->text(), u"");
    EXPECT_EQ(field->GetFloat(), 0.0);
    EXPECT_EQ(field->text(), u"");

    field->SetEmptyIfZero(false);
    field->clear();
    EXPECT_EQ(field->GetFloat(), 0.0);
    EXPECT_EQ(field->text(), u"0");

    AlignEdit text;
    text.setText(QStringLiteral("x"));
    text.SetFloat(5);
    EXPECT_EQ(text.text(), u"x");
}

TEST_F(AlignEditTest, IntegerAccessors)
{
    field->SetEditType(EditType::etInteger);
    type("-12,3");
    EXPECT_EQ(field->text(), u"-123");
    EXPECT_EQ(field->GetInt(), -123);
    field->SetInt(0);
    EXPECT_EQ(field->text(), u"0");
    field->SetEmptyIfZero(true);
    field->SetInt(0);
    EXPECT_EQ(field->text(), u"");
    EXPECT_EQ(field->GetInt(), 0);
}

TEST_F(AlignEditTest, OwnKeyHandlerMayChangeOrDropTheKey)
{
    field->SetEditType(EditType::etString);
    field->OnKeyPress = [](AlignEdit&, char16_t& key) {
        if (key == u',')
            key = u'.';
        else if (key == u'x')
            key = KeyChar::None;
    };
    type("1,x5");
    EXPECT_EQ(field->text(), u"1.5");
}

TEST_F(AlignEditTest, WithoutJumpOnReturnEnterStays)
{
    field->SetJumpOnReturn(false);
    QSignalSpy returns(field, &QLineEdit::returnPressed);
    type("3");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->text(), u"3");
    EXPECT_EQ(returns.count(), 1);
}

TEST_F(AlignEditTest, NavigationKeysAreNotFiltered)
{
    type("12");
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), u"2");
}

} // namespace
