#include "shell/tray_rules.h"

#include "support/qt_printers.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

TEST(PutAway, WithoutANotificationAreaTheWindowIsNeverLost)
{
    EXPECT_EQ(PutAwayFor(true), PutAway::HideToTray);
    EXPECT_EQ(PutAwayFor(false), PutAway::Minimize);
    EXPECT_FALSE(CloseEndsProgram(true, false)); // hides into the icon
    EXPECT_TRUE(CloseEndsProgram(true, true));   // "Quorvanta schliessen"
    EXPECT_TRUE(CloseEndsProgram(false, false));
}

TEST(TellAFriend, TheMailCarriesBothTextsAndTheProductAddress)
{
    const QUrl mail = TellAFriendMail(QStringLiteral("A & B"), QStringLiteral("x=y"));
    EXPECT_EQ(mail.scheme(), u"mailto");
    const QUrlQuery query(mail);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded),
              u"Quorvanta: A & B!!");
    EXPECT_EQ(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
              QStringLiteral("x=y!! \r\n\r\n") + QLatin1String(kProductWebAddress));
}

TEST(ChoosePlatform, WaylandWithXWaylandRunsOnXcbUnlessTheUserChose)
{
    const struct {
        const char* wayland;
        const char* qpa;
        const char* display;
        const char* chosen;
    } rows[] = {
        {"wayland-0", "", ":0", "xcb"},
        {"wayland-0", "wayland", ":0", ""}, // the user's choice wins
        {"wayland-0", "", "", ""},          // no XWayland
        {"", "", ":0", ""},                 // an X11 session
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.wayland + std::string("|") + row.qpa + "|" + row.display);
        EXPECT_EQ(ChoosePlatform({QString::fromLatin1(row.wayland), QString::fromLatin1(row.qpa),
                                  QString::fromLatin1(row.display)}),
                  QString::fromLatin1(row.chosen));
    }
}

} // namespace
