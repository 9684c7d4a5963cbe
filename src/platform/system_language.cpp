#include "platform/system_language.h"

#include <QLocale>

QString SystemLanguageName()
{
    return QLocale::system().nativeLanguageName().left(100);
}
