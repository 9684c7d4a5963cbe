#include "platform/autostart.h"
#include "platform/settings_store.h"
#include "shell/startup_settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using Key = SettingsStore::Key;

class SettingsFile : public testing::Test {
protected:
    QString path(const char* name = "Quorvanta.conf") const
    {
        return m_dir.filePath(QString::fromLatin1(name));
    }
    void write(const QByteArray& content, const QString& file) const
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static std::string read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFile, MissingDefaultsAreWrittenAsZeroOrOneAndKeptWhenPresent)
{
    write("[General]\nAlwaysOnTop=0\nLanguage=Polski\n", path());
    SettingsStore store(path());
    const SettingsAtStart start = RestoreSettings(store, QStringLiteral("Deutsch"));
    EXPECT_TRUE(start.writable);
    EXPECT_FALSE(start.firstStart);
    EXPECT_EQ(start.language, 12);
    // Read at once, written after the start: with the next write, a value of its own kept.
    StoredChoices choices;
    LoadSettings(store, choices);
    EXPECT_TRUE(choices.autoUpdate);
    EXPECT_FALSE(choices.alwaysOnTop);
    EXPECT_TRUE(choices.autoStart);
    EXPECT_EQ(read(path()), "[General]\nAlwaysOnTop=0\nLanguage=Polski\n");
    ASSERT_TRUE(store.SetBool(Key::AutoStart, false));
    const std::string text = read(path());
    for (const char* line : {"SearchNewVersion=1", "AutoUpdate=1", "AlwaysOnTop=0", "AutoStart=0",
                             "BannerCount=0", "Language=Polski"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    // Or when the window is up, or at the latest when the store goes.
    for (const bool explicitly : {true, false}) {
        write("[General]\nAutoUpdate=0\n", path());
        {
            SettingsStore later(path());
            RestoreSettings(later, QStringLiteral("Deutsch"));
            if (explicitly)
                EXPECT_TRUE(later.WritePendingDefaults());
        }
        const std::string after = read(path());
        for (const char* line : {"SearchNewVersion=1", "AutoUpdate=0", "AlwaysOnTop=1"})
            EXPECT_NE(after.find(line), std::string::npos) << line << "\n" << after;
    }
}

TEST_F(SettingsFile, ValuesRoundTripThroughANewStore)
{
    {
        SettingsStore store(path());
        EXPECT_TRUE(store.SetBool(Key::AutoStart, false));
        EXPECT_TRUE(store.SetInteger(Key::BannerCount, 7));
        SaveLanguage(store, 2);
        SaveLanguage(store, 7); // no language of ours: nothing stored
        EXPECT_TRUE(store.SetText(Key::ProxyServer, QStringLiteral("socks=gate:1080")));
    }
    SettingsStore store(path());
    EXPECT_EQ(store.Bool(Key::AutoStart), false);
    EXPECT_EQ(store.Integer(Key::BannerCount), 7);
    EXPECT_EQ(store.Text(Key::Language), QStringLiteral("English"));
    EXPECT_EQ(store.Text(Key::ProxyServer), QStringLiteral("socks=gate:1080"));
    EXPECT_NE(read(path()).find("[InternetSettings]"), std::string::npos);
    EXPECT_TRUE(store.Remove(Key::Language));
    EXPECT_FALSE(SettingsStore(path()).Contains(Key::Language));
}

TEST_F(SettingsFile, AValueOfTheWrongTypeCostsNoOtherValue)
{
    write("[General]\nAutoUpdate=ja\nAlwaysOnTop=1\nAutoStart=true\nBannerCount=viele\n", path());
    SettingsStore store(path());
    StoredChoices choices;
    choices.autoUpdate = true; // what the program held before
    LoadSettings(store, choices);
    EXPECT_TRUE(choices.autoUpdate);
    EXPECT_TRUE(choices.alwaysOnTop);
    EXPECT_TRUE(choices.autoStart);
    EXPECT_FALSE(store.Integer(Key::BannerCount).has_value());
    // Writing another value leaves the unreadable ones as they were.
    EXPECT_TRUE(store.SetBool(Key::AlwaysOnTop, false));
    EXPECT_NE(read(path()).find("AutoUpdate=ja"), std::string::npos);
    EXPECT_NE(read(path()).find("BannerCount=viele"), std::string::npos);
}

TEST_F(SettingsFile, LanguageFallsBackToTheSystemsName)
{
    const struct {
        QByteArray content;
        const char* system;
        int code;
    } rows[] = {
        {"[General]\nLanguage=Polski\n", "English", 12},
        {"[General]\n", "polski", 12},                            // missing
        {"[General]\nLanguage=Deutsch, English\n", "English", 2}, // a list is no text
        {"[General]\n", "français", 1},
    };
    int i = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.content.constData());
        const QString file = path() + QString::number(i++);
        write(row.content, file);
        SettingsStore store(file);
        EXPECT_EQ(RestoreSettings(store, QString::fromUtf8(row.system)).language, row.code);
    }
}

TEST_F(SettingsFile, FirstStartTakesTheSystemLanguageAndIsDeletedOnce)
{
    write("[General]\nFirstStart=\nLanguage=Polski\n", path());
    SettingsStore store(path());
    const SettingsAtStart first = RestoreSettings(store, QStringLiteral("English"));
    EXPECT_TRUE(first.firstStart);
    EXPECT_EQ(first.language, 2);
    EXPECT_EQ(read(path()).find("FirstStart"), std::string::npos);
    const SettingsAtStart second = RestoreSettings(store, QStringLiteral("English"));
    EXPECT_FALSE(second.firstStart);
    EXPECT_EQ(second.language, 12);
}

TEST_F(SettingsFile, WithoutWriteAccessTheStartGoesOnAndNothingIsLost)
{
    const QByteArray content = "[General]\nAlwaysOnTop=0\nAutoStart=1\n";
    // A read-only file, a folder without write permission, and a path under a plain file.
    const QString readOnly = path("readonly.conf");
    write(content, readOnly);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("locked")));
    const QString locked = path("locked/Quorvanta.conf");
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    write("x", path("plain"));
    const QString underFile = path("plain/Drevion/Quorvanta.conf");

    for (const QString& file : {readOnly, locked, underFile}) {
        SCOPED_TRACE(file.toStdString());
        SettingsStore store(file);
        EXPECT_FALSE(RestoreSettings(store, QStringLiteral("English")).writable);
        EXPECT_FALSE(store.SetBool(Key::AutoUpdate, false));
    }
    EXPECT_EQ(read(readOnly), content.toStdString());
    EXPECT_FALSE(QFile::exists(locked));
    StoredChoices choices;
    choices.alwaysOnTop = true;
    LoadSettings(SettingsStore(readOnly), choices);
    EXPECT_FALSE(choices.alwaysOnTop);
    EXPECT_TRUE(choices.autoStart);
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsFile, AnUnreadableOrMalformedFileIsNeverWrittenOver)
{
    const QString unreadable = path("unreadable.conf");
    write("[General]\nLanguage=Polski\n", unreadable);
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    SettingsStore store(unreadable);
    const SettingsAtStart start = RestoreSettings(store, QStringLiteral("English"));
    EXPECT_FALSE(start.writable);
    EXPECT_EQ(start.language, 1);
    QFile::setPermissions(unreadable, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(read(unreadable), "[General]\nLanguage=Polski\n");

    const QByteArray malformed = "[Gen\nAlwaysOnTop=0\n";
    write(malformed, path("malformed.conf"));
    EXPECT_FALSE(SettingsStore(path("malformed.conf")).SetBool(Key::AutoStart, true));
    EXPECT_EQ(read(path("malformed.conf")), malformed.toStdString());
}

TEST_F(SettingsFile, ProxyFromTheInternetSettingsOrElseTheEnvironment)
{
    const QString socks = QStringLiteral("socks5://env:1081");
    const struct {
        QByteArray content;
        const char* host; // nullptr: no proxy
    } rows[] = {
        {"[InternetSettings]\nProxyEnable=1\nProxyServer=\"http=a:80;socks=gate:1080\"\n", "gate"},
        {"[InternetSettings]\nProxyEnable=0\nProxyServer=socks=gate:1080\n", nullptr},
        {"[InternetSettings]\nProxyEnable=@ByteArray(\\x1\\0\\0\\0)\nProxyServer=socks=bin:1080\n",
         "bin"},
        {"[General]\n", "env"},
    };
    int i = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.content.constData());
        const QString file = path() + QString::number(i++);
        write(row.content, file);
        const auto proxy = ReadProxySettings(SettingsStore(file), socks);
        ASSERT_EQ(proxy.has_value(), row.host != nullptr);
        if (proxy) {
            EXPECT_EQ(proxy->host, QString::fromLatin1(row.host));
        }
    }
}

TEST_F(SettingsFile, AutostartEntryIsWrittenWithTheQuotedPathAndRemoved)
{
    Autostart autostart(path("config/autostart"));
    const QString exe = path("my apps/quorvanta");
    ASSERT_TRUE(autostart.Enable(exe));
    const std::string entry = read(autostart.EntryFile());
    EXPECT_NE(entry.find("\nExec=\"" + exe.toStdString() + "\" WinStart\n"), std::string::npos)
        << entry;
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    // The desktop's own checker reads the quoting as we wrote it, odd signs and all.
    const QString checker = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!checker.isEmpty()) {
        ASSERT_TRUE(autostart.Enable(path("my \"odd\" $apps%/quorvanta")));
        QProcess check;
        check.start(checker, {autostart.EntryFile()});
        ASSERT_TRUE(check.waitForFinished(10000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAll().toStdString();
    }
    ASSERT_TRUE(autostart.Disable());
    EXPECT_FALSE(QFile::exists(autostart.EntryFile()));
    EXPECT_TRUE(autostart.Disable()); // nothing to remove is no failure
}

} // namespace
