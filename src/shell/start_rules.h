// The pure decisions of the program's start: the language from a stored name and the start
// argument.
#pragma once

#include <QString>
#include <QStringList>

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
