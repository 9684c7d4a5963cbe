// The program's fonts, made ready on a thread of their own beside the start, as the program
// does: Qt lists them as the system's own and draws Tahoma and Arial's metrics from them.
#include "platform/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

TEST(ProgramFonts, ThePreparedConfigurationHoldsTahomaAndArialsStandIn)
{
    BeginProgramFonts();
    RegisterProgramFonts();
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive));
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(QFontInfo(QApplication::font()).pixelSize(), 11);
    const QString arial = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    EXPECT_TRUE(arial == u"Arial" || arial == u"Liberation Sans") << arial.toStdString();
    // Nothing was left for Qt to register: the configuration Qt read had them already.
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(0).isEmpty());
}
