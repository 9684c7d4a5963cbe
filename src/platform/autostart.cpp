#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString kRunKey = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kValueName = QStringLiteral("Quorvanta");
} // namespace

Autostart::Autostart()
{
#ifndef Q_OS_WIN
    m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/autostart");
#endif
}

Autostart::Autostart(const QString& folder) : m_folder(QDir(folder).absolutePath()) {}

QString Autostart::EntryFile() const
{
    return m_folder.isEmpty() ? QString() : m_folder + QStringLiteral("/quorvanta.desktop");
}

bool Autostart::Enable(const QString& executable)
{
    if (m_folder.isEmpty()) {
        QSettings run(QStringLiteral("HKEY_CURRENT_USER") + kRunKey, QSettings::NativeFormat);
        run.setValue(kValueName, AutostartCommand(QDir::toNativeSeparators(executable)));
        run.sync();
        return run.status() == QSettings::NoError;
    }
    if (!QDir().mkpath(m_folder))
        return false;
    QSaveFile file(EntryFile());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(AutostartDesktopEntry(executable).toUtf8());
    return file.commit();
}

bool Autostart::Disable()
{
    if (m_folder.isEmpty()) {
        QSettings run(QStringLiteral("HKEY_CURRENT_USER") + kRunKey, QSettings::NativeFormat);
        run.remove(kValueName);
        run.sync();
        return run.status() == QSettings::NoError;
    }
    return !QFile::exists(EntryFile()) || QFile::remove(EntryFile());
}

bool Autostart::Exists() const
{
    if (m_folder.isEmpty()) {
        QSettings run(QStringLiteral("HKEY_CURRENT_USER") + kRunKey, QSettings::NativeFormat);
        return run.contains(kValueName);
    }
    return QFile::exists(EntryFile());
}

void Autostart::RemoveMachineEntry()
{
#ifdef Q_OS_WIN
    QSettings run(QStringLiteral("HKEY_LOCAL_MACHINE") + kRunKey, QSettings::NativeFormat);
    if (run.contains(kValueName))
        run.remove(kValueName);
#endif
}

QString AutostartCommand(const QString& executable)
{
    return u'"' + executable + QStringLiteral("\" WinStart");
}

namespace {
// A path as one quoted argument of a desktop entry's Exec key: inside the quotes '"', '`',
// '$' and '\' take a backslash; then the value's own escapes apply ('\' doubles, line ends
// become \n), and '%' doubles so that it is no field code.
QString execArgument(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    QString value;
    for (const QChar c : u'"' + quoted + u'"') {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'%')
            value += QStringLiteral("%%");
        else
            value += c;
    }
    return value;
}
} // namespace

QString AutostartDesktopEntry(const QString& executable)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quorvanta\n"
                          "Comment=Rechner für die Haustechnik, startet im Infobereich\n"
                          "Exec=%1 WinStart\n"
                          "Icon=de.drevion.Quorvanta\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(executable));
}
