// Texts of the pipe files are stored in the DOS code page (850). They become Unicode text
// through the C library's iconv, both ways; nothing here keeps a table of its own.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Every byte of a DOS text has a character; a byte iconv cannot map becomes U+FFFD.
QString OemToText(const QByteArray& oem);
// Nothing when a character has no place in the DOS code page (a Polish "ł", say).
std::optional<QByteArray> TextToOem(const QString& text);
