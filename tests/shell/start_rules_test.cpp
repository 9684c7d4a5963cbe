#include "platform/autostart.h"
#include "platform/proxy_address.h"
#include "shell/start_rules.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(StartLanguage, NamesGiveTheirCodeAndAnythingElseGerman)
{
    const struct {
        const char* text;
        int code;
    } rows[] = {
        {"Deutsch", 1},          {"English", 2},  {"Polski", 12},
        {"polski", 12}, // the desktop's own name for Polish
        {"American English", 2}, {"français", 1}, {"", 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LanguageFromText(QString::fromUtf8(row.text)), row.code) << row.text;
    for (int code : {1, 2, 12})
        EXPECT_EQ(LanguageFromText(LanguageName(code)), code);
    EXPECT_TRUE(LanguageName(5).isEmpty());
}

TEST(StartArguments, OnlyAnExactFirstWinStartStartsHidden)
{
    EXPECT_TRUE(StartsHidden({QStringLiteral("WinStart")}));
    EXPECT_FALSE(StartsHidden({QStringLiteral("winstart")}));
    EXPECT_FALSE(StartsHidden({QStringLiteral("x"), QStringLiteral("WinStart")}));
    EXPECT_FALSE(StartsHidden({}));
}

TEST(ProxyServerText, OnlyAWellFormedSocksEntryGivesAProxy)
{
    const struct {
        const char* text;
        const char* host; // nullptr: no proxy
        int port;
    } rows[] = {
        {"http=proxy:80;https=proxy:443;ftp=proxy:21;socks=socks.lan:1080", "socks.lan", 1080},
        {"socks=10.0.0.1:1080;http=proxy:80", "10.0.0.1", 1080},
        {"socks=host:1080abc", "host", 1080}, // the port ends at the first non-digit
        {"socks=[::1]:9050", "::1", 9050},
        {"proxy:8080", nullptr, 0}, // a plain host and port is no SOCKS proxy
        {"", nullptr, 0},
        {"socks=host", nullptr, 0},
        {"socks=:1080", nullptr, 0},
        {"socks=host:", nullptr, 0},
        {"socks=host:x1080", nullptr, 0},
        {"socks=host:70000", nullptr, 0},
        {"socks=;http=proxy:80", nullptr, 0},
        {"SOCKS=host:1080", nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const auto proxy = ParseProxyServer(QString::fromLatin1(row.text));
        ASSERT_EQ(proxy.has_value(), row.host != nullptr);
        if (proxy) {
            EXPECT_EQ(proxy->host, QString::fromLatin1(row.host));
            EXPECT_EQ(proxy->port, row.port);
        }
    }
}

TEST(ProxyServerText, AllProxyTakesSocksUrlsOnly)
{
    EXPECT_EQ(ParseAllProxy(QStringLiteral("socks5://gate:1081")),
              (ProxyAddress{QStringLiteral("gate"), 1081}));
    EXPECT_EQ(ParseAllProxy(QStringLiteral("socks5h://user:pw@gate")),
              (ProxyAddress{QStringLiteral("gate"), 1080}));
    EXPECT_FALSE(ParseAllProxy(QStringLiteral("http://gate:3128")).has_value());
    EXPECT_FALSE(ParseAllProxy(QStringLiteral("gate:1080")).has_value());
    EXPECT_FALSE(ParseAllProxy(QString()).has_value());
}

TEST(AutostartEntry, ThePathIsQuotedSoThatBlanksAndSignsSurvive)
{
    EXPECT_EQ(AutostartCommand(QStringLiteral("C:\\Program Files\\Quorvanta\\quorvanta.exe")),
              u"\"C:\\Program Files\\Quorvanta\\quorvanta.exe\" WinStart");

    const auto execLine = [](const QString& path) {
        for (const QString& line : AutostartDesktopEntry(path).split(u'\n'))
            if (line.startsWith(u"Exec="))
                return line;
        return QString();
    };
    EXPECT_EQ(execLine(QStringLiteral("/opt/my apps/quorvanta")),
              u"Exec=\"/opt/my apps/quorvanta\" WinStart");
    // Inside the quotes '"', '$' and '\' take a backslash, which the file's own escaping
    // doubles again; '%' doubles so that it is no field code.
    EXPECT_EQ(execLine(QStringLiteral("/tmp/a\"b$c\\d%e/quorvanta")),
              u"Exec=\"/tmp/a\\\\\"b\\\\$c\\\\\\\\d%%e/quorvanta\" WinStart");
    EXPECT_TRUE(AutostartDesktopEntry(QStringLiteral("/q")).startsWith(u"[Desktop Entry]\n"));
}

} // namespace
