#include "platform/state_file.h"
#include "shell/session_state.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

SessionState fullState()
{
    SessionState s;
    s.memory[0] = QStringLiteral("2.5");
    s.memory[19] = QStringLiteral("-1.5E-20");
    s.tape = {QStringLiteral("12"),
              QStringLiteral("+3"),
              QStringLiteral("=15"),
              QString(),
              QString(),
              QStringLiteral(" sinh1 \\ ä=x\r\nzwei")};
    s.fixDecimals = -1;
    s.angleMode = 2;
    s.page = 1;
    s.formulas = {3, 0, 11};
    s.windowPosition = QPoint(-40, 7);
    s.tapeShown = true;
    return s;
}

TEST(SessionState, EveryItemSurvivesTheFile)
{
    const SessionReadResult back = ReadSessionState(WriteSessionState(fullState()));
    EXPECT_EQ(back.status, SessionReadStatus::Read);
    EXPECT_TRUE(back.state == fullState());
    // Nothing stored reads back as the start's own values.
    const SessionReadResult empty = ReadSessionState(WriteSessionState(SessionState{}));
    EXPECT_EQ(empty.status, SessionReadStatus::Read);
    EXPECT_TRUE(empty.state == SessionState{});
}

TEST(SessionState, OnlyTheLastTenThousandTapeLinesAreWritten)
{
    SessionState s;
    for (int i = 0; i < 10005; ++i)
        s.tape.append(QString::number(i));
    const SessionState back = ReadSessionState(WriteSessionState(s)).state;
    ASSERT_EQ(back.tape.size(), 10000);
    EXPECT_EQ(back.tape.front(), u"5");
    EXPECT_EQ(back.tape.back(), u"10004");
}

TEST(SessionState, AFileThatCannotBeReadIsBrokenAndGivesNothing)
{
    const char* const cases[] = {
        "",
        "fix=3\n", // no version line
        "Quorvanta state x\nfix=3\n",
        "Quorvanta state 1\nfix=3\nfix=12\n", // decimals out of range
        "Quorvanta state 1\nangle=3\n",
        "Quorvanta state 1\nmemory.21=4\n",
        "Quorvanta state 1\nwindow=4\n",
        "Quorvanta state 1\ntape=a\\q\n", // an unknown escape
        "Quorvanta state 1\nmemory.1=2\nno equals sign\n",
        "\x89PNG\r\n\x1a\n",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        const SessionReadResult r = ReadSessionState(QByteArray(text));
        EXPECT_EQ(r.status, SessionReadStatus::Broken);
        EXPECT_TRUE(r.state == SessionState{});
    }
}

TEST(SessionState, ANewerFileIsReadAsFarAsItIsUnderstood)
{
    const SessionReadResult r = ReadSessionState(
        "Quorvanta state 7\r\nfix=3\r\ncolour=blue\r\nangle=radians\r\nmemory.2=4.5\r\n"
        "tape=1\r\ntape=+2\r\n");
    EXPECT_EQ(r.status, SessionReadStatus::Newer);
    EXPECT_EQ(r.state.fixDecimals, 3);
    EXPECT_EQ(r.state.angleMode, 0); // the unreadable angle is skipped
    EXPECT_EQ(r.state.memory[1], u"4.5");
    EXPECT_EQ(r.state.tape, QStringList({QStringLiteral("1"), QStringLiteral("+2")}));
    // The same lines in this version's file: a bad value makes the file broken.
    EXPECT_EQ(ReadSessionState("Quorvanta state 1\ncolour=blue\nfix=3\n").status,
              SessionReadStatus::Read);
}

TEST(StateFile, WritesWholeSetsABrokenFileAsideAndNeverLeavesATemporaryFile)
{
    QTemporaryDir dir;
    const StateFile file(dir.filePath(QStringLiteral("new/folder")));
    EXPECT_EQ(file.Read().presence, StateFile::Presence::Missing);
    ASSERT_TRUE(file.Write("Quorvanta state 1\nfix=2\n"));
    ASSERT_TRUE(file.Write("Quorvanta state 1\nfix=4\n"));
    const StateFile::Content read = file.Read();
    EXPECT_EQ(read.presence, StateFile::Presence::Present);
    EXPECT_EQ(read.bytes, "Quorvanta state 1\nfix=4\n");
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("new/folder"))).entryList(QDir::Files),
              QStringList{QStringLiteral("state.txt")});

    // A second broken file replaces the first one set aside.
    ASSERT_TRUE(file.SetAside());
    ASSERT_TRUE(file.Write("garbage"));
    ASSERT_TRUE(file.SetAside());
    EXPECT_EQ(file.Read().presence, StateFile::Presence::Missing);
    QFile broken(file.BrokenPath());
    ASSERT_TRUE(broken.open(QIODevice::ReadOnly));
    EXPECT_EQ(broken.readAll(), "garbage");
}

TEST(StateFile, AFolderThatCannotBeMadeIsAFailedWrite)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(StateFile(dir.filePath(QStringLiteral("file/inside"))).Write("x"));
}

} // namespace
