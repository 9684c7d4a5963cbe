#include "common/program_version.h"
#include "platform/sound_player.h"
#include "shell/message_rules.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageKeys, FirstLettersAnswerExactlyAndABlankDoesNothing)
{
    const QString yes = QStringLiteral("ja"), no = QStringLiteral("nein");
    const QString save = QStringLiteral("Speichern"), drop = QStringLiteral("Verwerfen");
    using E = MessageKeyEffect;
    const struct {
        char16_t key;
        QString ok, no;
        E effect;
    } rows[] = {
        {u'j', yes, no, E::PressOk},
        {u'n', yes, no, E::PressNo},
        {u'J', yes, no, E::RefuseWithSound}, // the comparison is case-sensitive
        {u' ', yes, no, E::Nothing},
        {u'x', yes, no, E::RefuseWithSound},
        {u'S', save, drop, E::PressOk},
        {u'V', save, drop, E::PressNo},
        {u'O', QStringLiteral("OK"), QString(), E::PressOk},
        {u'n', QStringLiteral("OK"), QString(), E::RefuseWithSound}, // no hidden "nein"
        {u'\x1b', QString(), QString(), E::RefuseWithSound},         // a notice has no buttons
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.key));
        EXPECT_EQ(KeyEffect(QChar(row.key), row.ok, row.no), row.effect);
    }
}

TEST(MessageLayout, ShortTextIsCentredInFortyPixelsAndLongTextGrowsTheDialog)
{
    MessageLayoutInput in;
    in.labelLeft = 62;
    in.label = QSize(240, 16);
    in.ok = QSize(75, 25);
    in.no = QSize(75, 25);
    in.buttons = MessageButtons::Ok;
    MessageLayout out = LayOutMessage(in);
    EXPECT_EQ(out.label, QRect(62, (40 - 16) / 2 + 15, 240, 16));
    EXPECT_EQ(out.client, QSize(15 + 62 + 240, 75 + 40));
    EXPECT_EQ(out.ok, QRect((317 - 75) / 2, 15 + 40, 75, 25));
    EXPECT_TRUE(out.no.isEmpty());

    in.label = QSize(600, 90);
    in.scale = 1.25;
    out = LayOutMessage(in);
    EXPECT_EQ(out.label.top(), 15);
    EXPECT_EQ(out.client, QSize(19 + 62 + 600, 94 + 90));
    EXPECT_EQ(out.ok.top(), 19 + 90);

    // A question's two buttons take bbn_nein's width, side by side under the text's middle.
    in.scale = 1.0;
    in.label = QSize(300, 16);
    in.ok = QSize(60, 25);
    in.no = QSize(90, 25);
    in.buttons = MessageButtons::OkAndNo;
    out = LayOutMessage(in);
    EXPECT_EQ(out.ok.size(), QSize(90, 25));
    EXPECT_EQ(out.no.size(), QSize(90, 25));
    EXPECT_LT(out.ok.right(), out.no.left());
    EXPECT_EQ(out.ok.left() - out.label.left(), out.label.right() - out.no.right());
}

TEST(MessageTexts, KindNumbersSoundFilesAndVersionText)
{
    EXPECT_EQ(MessageKindFromNumber(0), MessageKind::Close);
    EXPECT_EQ(MessageKindFromNumber(-3), MessageKind::ProblemModal);
    for (int outside : {-4, 6})
        EXPECT_FALSE(MessageKindFromNumber(outside).has_value()) << outside;
    const char* names[] = {"hinweis.wav", "hammer.wav",  "error.wav",
                           "explos.wav",  "hinweis.wav", "hinweis.wav"};
    for (int n = 0; n <= 5; ++n)
        EXPECT_EQ(SoundFileName(n), QString::fromLatin1(names[n])) << n;
    EXPECT_EQ(FileVersionText(QStringLiteral("1.3.6"), false), u"1.3.6");
    EXPECT_EQ(FileVersionText(QStringLiteral("1.3.6"), true), u"1.3.6.0");
    EXPECT_EQ(FileVersionText(QStringLiteral("2.1.0.17"), true), u"2.1.0.17");
    EXPECT_EQ(FileVersionText(QStringLiteral("2"), false), u"2.0.0");
    EXPECT_EQ(ProgramVersionText(false), FileVersionText(QStringLiteral(QUORVANTA_VERSION), false));
}

} // namespace
