#include "shell/start_rules.h"

int LanguageFromText(const QString& text)
{
    if (text.contains(u"Deutsch", Qt::CaseInsensitive))
        return GermanLanguage;
    if (text.contains(u"English", Qt::CaseInsensitive))
        return EnglishLanguage;
    if (text.contains(u"Polski", Qt::CaseInsensitive))
        return PolishLanguage;
    return GermanLanguage;
}

QString LanguageName(int code)
{
    switch (code) {
    case GermanLanguage:
        return QStringLiteral("Deutsch");
    case EnglishLanguage:
        return QStringLiteral("English");
    case PolishLanguage:
        return QStringLiteral("Polski");
    default:
        return QString();
    }
}

bool StartsHidden(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first() == u"WinStart";
}
