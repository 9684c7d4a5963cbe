#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, WindowsPathsLandInsideTheFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("images")));
    QFile file(dir.filePath(QStringLiteral("images/on1.cc1")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    ProgramFolder::SetPath(dir.path());
    EXPECT_EQ(ProgramFolder::Path(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(ProgramFolder::FilePath(QStringLiteral("images\\on1.cc1")),
              dir.filePath(QStringLiteral("images/on1.cc1")));
    // Windows finds files whatever their case; so do we.
    EXPECT_EQ(ProgramFolder::FilePath(QStringLiteral("IMAGES\\On1.CC1")),
              dir.filePath(QStringLiteral("images/on1.cc1")));
    // A missing file keeps the name it was asked for.
    EXPECT_EQ(ProgramFolder::FilePath(QStringLiteral("images\\off1.cc1")),
              dir.filePath(QStringLiteral("images/off1.cc1")));
    ProgramFolder::SetPath(QString());
}

} // namespace
