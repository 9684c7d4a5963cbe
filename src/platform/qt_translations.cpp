#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

bool LoadQtTranslations(int languageCode)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const char* name = languageCode == 1 ? "qtbase_de" : languageCode == 12 ? "qtbase_pl" : nullptr;
    if (!name)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromLatin1(name),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}
