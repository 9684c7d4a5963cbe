#include "shell/update_check.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateCheck, TheFirstDifferingPartDecides)
{
    const struct {
        const char* remote;
        bool newer;
    } cases[] = {
        {"1.3.7", true},
        {"1.3.6", false},
        {"1.2.9", false}, // the second part decides
        {"1.4", true},
        {"1.3.6\r\n", false}, // a line end is no part of the number
        {" 1 . 3 . 10 ", true},
        {"1.x.6", false},
        {"1.3.7beta", false}, // no version at all
        {"9.9.9\n\n", true},
        {"2", true},
        {"", false},
        {"<html><head><title>404 Not Found</title></head></html>", false}, // over 50
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.remote);
        EXPECT_EQ(RemoteVersionIsNewer(QStringLiteral("1.3.6"), QString::fromLatin1(c.remote)),
                  c.newer);
    }
    EXPECT_TRUE(RemoteVersionIsNewer(QStringLiteral("0.1.0"), QString(50, u'1')));
    // A short maintenance page once counted as version 1 and announced an update.
    EXPECT_FALSE(RemoteVersionIsNewer(QStringLiteral("0.1.0"),
                                      QStringLiteral("<p>Wartung: bald wieder da.</p>\r\n")));
    EXPECT_FALSE(RemoteVersionIsNewer(QStringLiteral("0.1.0"), QString(51, u'1')));
}

} // namespace
