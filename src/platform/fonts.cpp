#include "platform/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

#ifdef QUORVANTA_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <future>
#include <memory>
#include <system_error>
#endif

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

#ifdef QUORVANTA_FONTCONFIG
// The font configuration as the system gives it, with the program's fonts added to it, made on
// a thread of its own: reading the configuration files and font caches and looking into the
// added fonts is most of what the first text of the program costs.
struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
using PreparedConfig = std::unique_ptr<FcConfig, ConfigDeleter>;

bool hasFamily(FcConfig* config, const char* family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

// The same choice as RegisterProgramFonts makes through Qt, taken before Qt reads the
// configuration: the files added here are then listed among the system's own fonts.
PreparedConfig prepareConfig()
{
    PreparedConfig config(FcInitLoadConfigAndFonts());
    if (!config)
        return config;
    const auto add = [&config](const char* const* files, int count) {
        for (int i = 0; i < count; ++i)
            FcConfigAppFontAddFile(config.get(), reinterpret_cast<const FcChar8*>(files[i]));
    };
    if (!hasFamily(config.get(), "Tahoma"))
        add(kTahomaFiles, int(std::size(kTahomaFiles)));
    if (!hasFamily(config.get(), "Arial") && !hasFamily(config.get(), "Liberation Sans"))
        add(kArialFiles, int(std::size(kArialFiles)));
    return config;
}

std::future<PreparedConfig>& preparation()
{
    static std::future<PreparedConfig> pending;
    return pending;
}
#endif
} // namespace

void BeginProgramFonts()
{
#ifdef QUORVANTA_FONTCONFIG
    if (preparation().valid())
        return;
    try {
        preparation() = std::async(std::launch::async, prepareConfig);
    } catch (const std::system_error&) {
        // No thread to be had: RegisterProgramFonts does it all itself.
    }
#endif
}

void RegisterProgramFonts()
{
#ifdef QUORVANTA_FONTCONFIG
    // The prepared configuration becomes the one Qt reads. Should Qt have read another one
    // already, the fonts are missing from its list and are registered through Qt below.
    if (preparation().valid()) {
        const PreparedConfig config = preparation().get();
        if (config)
            FcConfigSetCurrent(config.get());
    }
#endif
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
