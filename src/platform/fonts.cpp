#include "platform/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace {
const char* const kTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};
const char* const kArialFiles[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf",
};

QString registerFirst(const char* const* files, int count)
{
    QString family;
    for (int i = 0; i < count; ++i) {
        if (!QFile::exists(QString::fromLatin1(files[i])))
            continue;
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(files[i]));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (family.isEmpty() && !families.isEmpty())
            family = families.first();
    }
    return family;
}
} // namespace

void RegisterProgramFonts()
{
    // The families installed under their own names. A family the font configuration only puts
    // in for a missing one does not count: its metrics are not the missing font's. (Asking for
    // each name through the configuration's substitutions also cost more than the list.)
    const QStringList families = QFontDatabase::families();
    const auto installed = [&families](const QString& family) {
        return families.contains(family, Qt::CaseInsensitive);
    };
    if (!installed(QStringLiteral("Tahoma")))
        registerFirst(kTahomaFiles, int(std::size(kTahomaFiles)));
    if (!installed(QStringLiteral("Arial"))) {
        // Liberation Sans has Arial's metrics and is normally installed already.
        const QString liberation = QStringLiteral("Liberation Sans");
        const QString family = installed(liberation)
                                   ? liberation
                                   : registerFirst(kArialFiles, int(std::size(kArialFiles)));
        if (!family.isEmpty())
            QFont::insertSubstitution(QStringLiteral("Arial"), family);
    }
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}
