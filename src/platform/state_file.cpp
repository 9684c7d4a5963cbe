#include "platform/state_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

StateFile::StateFile()
    : StateFile(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
{}

StateFile::StateFile(const QString& folder) : m_folder(folder) {}

QString StateFile::Path() const
{
    return QDir(m_folder).filePath(QStringLiteral("state.txt"));
}

QString StateFile::BrokenPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("state.broken"));
}

StateFile::Content StateFile::Read() const
{
    QFile file(Path());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {Presence::Unreadable, {}};
    Content content{Presence::Present, file.readAll()};
    if (file.error() != QFileDevice::NoError)
        return {Presence::Unreadable, {}};
    return content;
}

bool StateFile::Write(const QByteArray& bytes) const
{
    return QDir().mkpath(m_folder) && WriteFileWhole(Path(), bytes);
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool StateFile::SetAside() const
{
    if (QFile::exists(BrokenPath()) && !QFile::remove(BrokenPath()))
        return false;
    return QFile::rename(Path(), BrokenPath());
}
