#include "app/program.h"
#include "keypad/ui/tape_window.h"
#include "platform/settings_store.h"
#include "platform/sound_player.h"
#include "shell/main_window.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

class ProgramStart : public testing::Test {
protected:
    ProgramOptions options(const QByteArray& settings = "[General]\n")
    {
        ProgramOptions o;
        o.settingsFile = m_dir.filePath(QStringLiteral("Quorvanta.conf"));
        o.autostartFolder = m_dir.filePath(QStringLiteral("my autostart"));
        QFile file(o.settingsFile);
        if (file.open(QIODevice::WriteOnly))
            file.write(settings);
        return o;
    }
    QByteArray settingsText() const
    {
        QFile file(m_dir.filePath(QStringLiteral("Quorvanta.conf")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QCheckBox* box(Program& program, const char* name)
    {
        // The boxes are made when the currency page is first shown.
        program.MainWindow()->Pages()->setCurrentIndex(2);
        return program.MainWindow()->findChild<QCheckBox*>(QString::fromLatin1(name));
    }
    static bool onTop(QWidget* window)
    {
        return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }

    QTemporaryDir m_dir;
};

TEST_F(ProgramStart, TheSettingsBoxesShowTheStoredChoices)
{
    Program program(options("[General]\nAlwaysOnTop=0\nAutoUpdate=1\nAutoStart=0\n"));
    program.Start();
    const struct {
        const char* name;
        bool checked;
    } rows[] = {{"chk_onTop", false}, {"chk_kursupdate", true}, {"chk_autostart", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QCheckBox* check = box(program, row.name);
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->isChecked(), row.checked);
        EXPECT_TRUE(check->isEnabled());
        EXPECT_TRUE(check->isVisible());
    }
    EXPECT_FALSE(onTop(program.MainWindow()));
}

TEST_F(ProgramStart, WithoutWriteAccessOnlyTheOnTopBoxIsOffered)
{
    ProgramOptions o = options();
    QFile plain(m_dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    o.settingsFile = m_dir.filePath(QStringLiteral("plain/Quorvanta.conf"));
    Program program(o);
    program.Start();
    EXPECT_TRUE(box(program, "chk_onTop")->isVisible());
    EXPECT_FALSE(box(program, "chk_kursupdate")->isVisible());
    EXPECT_FALSE(box(program, "chk_autostart")->isVisible());
}

TEST_F(ProgramStart, ClickedBoxesAreStoredAndTakeEffect)
{
    Program program(options("[General]\nAlwaysOnTop=0\nAutoUpdate=0\nAutoStart=0\n"));
    program.Start();
    program.MainWindow()->img_rechenstreifen_wechselClick(); // the tape is up

    box(program, "chk_onTop")->click();
    EXPECT_TRUE(onTop(program.MainWindow()));
    EXPECT_TRUE(onTop(program.TapeWindow()));
    box(program, "chk_kursupdate")->click();
    box(program, "chk_autostart")->click();
    for (const char* line : {"AlwaysOnTop=1", "AutoUpdate=1", "AutoStart=1"})
        EXPECT_TRUE(settingsText().contains(line)) << line;
    const QString entry = m_dir.filePath(QStringLiteral("my autostart/quorvanta.desktop"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(
        "\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" WinStart\n"));

    box(program, "chk_onTop")->click();
    box(program, "chk_autostart")->click();
    EXPECT_FALSE(onTop(program.MainWindow()));
    EXPECT_FALSE(onTop(program.TapeWindow()));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(settingsText().contains("AutoStart=0"));
}

TEST_F(ProgramStart, OnTopStaysWhileTheBackdropIsOpen)
{
    Program program(options("[General]\nAlwaysOnTop=1\n"));
    program.BackdropOpen = [] { return true; };
    program.Start();
    box(program, "chk_onTop")->click();
    EXPECT_TRUE(box(program, "chk_onTop")->isChecked());
    EXPECT_TRUE(onTop(program.MainWindow()));
    EXPECT_TRUE(settingsText().contains("AlwaysOnTop=1"));
}

TEST_F(ProgramStart, FirstStartAsksOnceAndOpensTheCurrencyPage)
{
    Program program(options("[General]\nFirstStart=1\n"));
    int asked = 0;
    program.AskForUpdate = [&] { ++asked; };
    program.Start();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(program.MainWindow()->Pages()->currentIndex(), 2);
    EXPECT_FALSE(settingsText().contains("FirstStart"));
    // The hints' 6 s pause is watched for once, however many programs this process starts.
    Program again(options());
    EXPECT_EQ(qApp->findChildren<QObject*>(QStringLiteral("quorvanta_hint_pause"),
                                           Qt::FindDirectChildrenOnly)
                  .size(),
              1);
}

TEST_F(ProgramStart, TheAudioStackComesWithTheFirstSoundOnly)
{
    if (SoundPlayer::AudioLoaded())
        GTEST_SKIP() << "a sound was played earlier in this process";
    const auto mapped = [](const char* library) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
    };
    Program program(options());
    program.Start();
    EXPECT_FALSE(mapped("libQt6Multimedia"));
    EXPECT_FALSE(mapped("libpulse"));
    // A letter is no number: the keypad refuses it with the error sound.
    QTest::keyClick(program.MainWindow()->findChild<QLineEdit*>(QStringLiteral("edt_result")), 'a');
    EXPECT_TRUE(SoundPlayer::AudioLoaded());
    EXPECT_TRUE(mapped("libQt6Multimedia"));
}

} // namespace
