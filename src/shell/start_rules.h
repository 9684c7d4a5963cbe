// The pure decisions of the program's start: the language from a stored name, the start
// argument, the proxy texts, and the autostart entry's command.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Language codes: 1 German, 2 English, 12 Polish.
inline constexpr int GermanLanguage = 1;
inline constexpr int EnglishLanguage = 2;
inline constexpr int PolishLanguage = 12;

// The code for a language name: 2 when it contains "English", 12 for "Polski", otherwise 1
// (German, also for "Deutsch"). Case does not matter: the desktop writes "polski".
int LanguageFromText(const QString& text);
// "Deutsch", "English", "Polski" for 1, 2, 12; empty for any other code.
QString LanguageName(int code);

// True when the program was started by the autostart entry ("WinStart" as first argument).
bool StartsHidden(const QStringList& arguments);

struct ProxyAddress {
    QString host;
    quint16 port = 0;
    friend bool operator==(const ProxyAddress&, const ProxyAddress&) = default;
};

// The SOCKS proxy of a "ProxyServer" text ("http=a:80;socks=host:1080"): the host after
// "socks=" up to the next ":", and the port's digits after it. Nothing when there is no
// "socks=" entry, or its host or port is missing or malformed.
std::optional<ProxyAddress> ParseProxyServer(const QString& proxyServer);
// The SOCKS proxy of an all_proxy URL ("socks5://host:1080"); nothing for another scheme.
std::optional<ProxyAddress> ParseAllProxy(const QString& url);

// The autostart command: the executable's path in quotes, one blank, "WinStart".
QString AutostartCommand(const QString& executable);
// The whole XDG autostart entry that runs `executable` hidden at log-in.
QString AutostartDesktopEntry(const QString& executable);
