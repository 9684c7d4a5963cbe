// The system's default language, in its own words ("Deutsch", "polski", "American English").
#pragma once

#include <QString>

QString SystemLanguageName();
