#pragma once

#include <QString>

// A text as a JSON string literal, quotes included; characters beyond ASCII stay as they are.
QString JsonString(const QString& text);
