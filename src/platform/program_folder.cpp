#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString& overridePath()
{
    static QString path;
    return path;
}

QString& userDataOverride()
{
    static QString path;
    return path;
}
} // namespace

namespace ProgramFolder {

void SetPath(const QString& path)
{
    overridePath() = path.isEmpty() ? QString() : QDir(path).absolutePath();
}

QString Path()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QCoreApplication::applicationDirPath();
}

void SetUserDataPath(const QString& path)
{
    userDataOverride() = path.isEmpty() ? QString() : QDir(path).absolutePath();
}

QString UserDataPath()
{
    if (!userDataOverride().isEmpty())
        return userDataOverride();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString ResolveIn(const QString& folder, const QString& windowsRelativePath)
{
    QString path = QDir::cleanPath(folder);
    const QStringList parts =
        QString(windowsRelativePath).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == u".")
            continue;
        if (part == u"..") {
            path = QFileInfo(path).path();
            continue;
        }
        QString next = path + u'/' + part;
        if (!QFileInfo::exists(next)) {
            const QStringList entries =
                QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = path + u'/' + entry;
                    break;
                }
            }
        }
        path = next;
    }
    return path;
}

QString FilePath(const QString& windowsRelativePath)
{
    return ResolveIn(Path(), windowsRelativePath);
}

} // namespace ProgramFolder
