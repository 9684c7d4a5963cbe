#include "platform/settings_store.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

enum class Type { Bool, Integer, Text, Any };
enum class Place { Program, InternetSettings };

struct Entry {
    SettingsStore::Key key;
    Place place;
    const char* name;
    Type type;
    std::optional<int> byDefault; // written when missing at start
};

using K = SettingsStore::Key;
// In the order the defaults are written: "SearchNewVersion" first.
const Entry kEntries[] = {
    {K::SearchNewVersion, Place::Program, "SearchNewVersion", Type::Bool, 1},
    {K::AutoUpdate, Place::Program, "AutoUpdate", Type::Bool, 1},
    {K::AlwaysOnTop, Place::Program, "AlwaysOnTop", Type::Bool, 1},
    {K::AutoStart, Place::Program, "AutoStart", Type::Bool, 1},
    {K::BannerCount, Place::Program, "BannerCount", Type::Integer, 0},
    {K::FirstStart, Place::Program, "FirstStart", Type::Any, std::nullopt},
    {K::Language, Place::Program, "Language", Type::Text, std::nullopt},
    {K::ProxyEnable, Place::InternetSettings, "ProxyEnable", Type::Bool, std::nullopt},
    {K::ProxyServer, Place::InternetSettings, "ProxyServer", Type::Text, std::nullopt},
    {K::UpdateHost, Place::Program, "UpdateHost", Type::Text, std::nullopt},
    {K::ReferenceRates, Place::Program, "ReferenceRates", Type::Text, std::nullopt},
    {K::ReportHost, Place::Program, "ReportHost", Type::Text, std::nullopt},
    {K::TransferTimeout, Place::Program, "TransferTimeout", Type::Integer, std::nullopt},
    {K::RestoreSession, Place::Program, "RestoreSession", Type::Bool, std::nullopt},
};

const Entry& entry(K key)
{
    for (const Entry& e : kEntries)
        if (e.key == key)
            return e;
    return kEntries[0];
}

QString nameOf(K key)
{
    return QString::fromLatin1(entry(key).name);
}

// The file's own permission bits; a file that grants no one reading or writing is taken at
// its word, even by a user whom the system would let through.
constexpr auto kAnyRead = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

std::optional<int> integerOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toInt();
    default:
        break;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<bool> boolOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QByteArray) {
        // Binary data (the Internet settings' flag on Windows): true when any of its first
        // four bytes is set.
        const QByteArray bytes = value.toByteArray().left(4);
        return !bytes.isEmpty() ? std::optional<bool>(bytes.count('\0') != bytes.size())
                                : std::nullopt;
    }
    const QString text = value.toString().trimmed();
    if (text.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = integerOf(value))
        return *number != 0;
    return std::nullopt;
}

} // namespace

SettingsStore::SettingsStore()
{
#ifndef Q_OS_WIN
    m_file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
             QStringLiteral("/Drevion/Quorvanta.conf");
#endif
}

SettingsStore::SettingsStore(const QString& iniFile) : m_file(QFileInfo(iniFile).absoluteFilePath())
{}

SettingsStore::~SettingsStore()
{
    WritePendingDefaults();
}

std::unique_ptr<QSettings> SettingsStore::open(Key key) const
{
    const Place place = entry(key).place;
    if (m_file.isEmpty()) {
        return std::make_unique<QSettings>(
            place == Place::Program
                ? QStringLiteral("HKEY_CURRENT_USER\\Software\\Drevion\\Quorvanta")
                : QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                                 "CurrentVersion\\Internet Settings"),
            QSettings::NativeFormat);
    }
    auto settings = std::make_unique<QSettings>(m_file, QSettings::IniFormat);
    if (place == Place::InternetSettings)
        settings->beginGroup(QStringLiteral("InternetSettings"));
    return settings;
}

bool SettingsStore::fileReadable() const
{
    if (m_file.isEmpty())
        return true;
    const QFileInfo info(m_file);
    if (!info.exists())
        return true;
    return info.isFile() && info.isReadable() && (info.permissions() & kAnyRead);
}

bool SettingsStore::fileWritable() const
{
    if (m_file.isEmpty())
        return true;
    QFileInfo info(m_file);
    if (info.exists())
        return info.isFile() && info.isWritable() && (info.permissions() & kAnyWrite);
    // A missing file is made in the nearest folder that exists, with the folders between;
    // a plain file on the way stops it.
    QString folder = info.absolutePath();
    while (!QFileInfo::exists(folder)) {
        const QString up = QFileInfo(folder).path();
        if (up == folder)
            return false;
        folder = up;
    }
    const QFileInfo folderInfo(folder);
    return folderInfo.isDir() && folderInfo.isWritable() && (folderInfo.permissions() & kAnyWrite);
}

bool SettingsStore::CanOpen() const
{
    return fileReadable() && (QFileInfo::exists(m_file) || m_file.isEmpty() || fileWritable());
}

std::optional<QVariant> SettingsStore::read(Key key) const
{
    if (std::find(m_pendingDefaults.begin(), m_pendingDefaults.end(), key) !=
        m_pendingDefaults.end())
        return QVariant(*entry(key).byDefault);
    if (!fileReadable())
        return std::nullopt;
    const auto settings = open(key);
    if (settings->status() == QSettings::AccessError)
        return std::nullopt;
    const QString name = nameOf(key);
    if (!settings->contains(name))
        return std::nullopt;
    return settings->value(name);
}

bool SettingsStore::write(Key key, const std::optional<QVariant>& value)
{
    // What cannot be read whole is never written over: that would lose the rest.
    if (!fileReadable() || !fileWritable())
        return false;
    const auto settings = open(key);
    if (settings->status() != QSettings::NoError)
        return false;
    // The defaults are the program's own values; the Internet settings' group has none.
    if (entry(key).place == Place::Program)
        putPendingDefaults(*settings, key);
    if (value)
        settings->setValue(nameOf(key), *value);
    else
        settings->remove(nameOf(key));
    settings->sync();
    const bool written = settings->status() == QSettings::NoError;
    if (written && entry(key).place == Place::Program)
        m_pendingDefaults.clear();
    return written;
}

void SettingsStore::putPendingDefaults(QSettings& settings, Key written)
{
    for (const Key key : m_pendingDefaults) {
        const QString name = nameOf(key);
        if (key != written && !settings.contains(name))
            settings.setValue(name, *entry(key).byDefault);
    }
}

bool SettingsStore::Contains(Key key) const
{
    return read(key).has_value();
}

std::optional<bool> SettingsStore::Bool(Key key) const
{
    const auto value = read(key);
    return value ? boolOf(*value) : std::nullopt;
}

std::optional<int> SettingsStore::Integer(Key key) const
{
    const auto value = read(key);
    return value ? integerOf(*value) : std::nullopt;
}

std::optional<QString> SettingsStore::Text(Key key) const
{
    const auto value = read(key);
    // A list or a stored object is no text.
    if (!value || !value->canConvert<QString>() || value->typeId() == QMetaType::QStringList)
        return std::nullopt;
    return value->toString();
}

bool SettingsStore::SetBool(Key key, bool value)
{
    return write(key, QVariant(value ? 1 : 0));
}

bool SettingsStore::SetInteger(Key key, int value)
{
    return write(key, QVariant(value));
}

bool SettingsStore::SetText(Key key, const QString& value)
{
    return write(key, QVariant(value));
}

bool SettingsStore::Remove(Key key)
{
    return write(key, std::nullopt);
}

bool SettingsStore::FindMissingDefaults()
{
    m_pendingDefaults.clear();
    if (!fileReadable())
        return false;
    const auto settings = open(Key::SearchNewVersion);
    if (settings->status() != QSettings::NoError)
        return false;
    const bool writable = fileWritable();
    bool firstMissing = false;
    for (const Entry& e : kEntries) {
        if (!e.byDefault || settings->contains(QString::fromLatin1(e.name)))
            continue;
        firstMissing = firstMissing || e.key == Key::SearchNewVersion;
        // Where they cannot be written, the missing values stay missing.
        if (writable)
            m_pendingDefaults.push_back(e.key);
    }
    // Whether the program can keep its settings is told by the first of them.
    return !firstMissing || writable;
}

bool SettingsStore::WritePendingDefaults()
{
    if (m_pendingDefaults.empty())
        return true;
    // Writing one of them puts the others in with it.
    const Key first = m_pendingDefaults.front();
    return write(first, QVariant(*entry(first).byDefault));
}
