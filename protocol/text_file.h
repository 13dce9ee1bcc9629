#pragma once
// The helpers that need Qt Core.

#include <QString>

namespace Zuno {

// Whole text of a file read as UTF-8 line by line ("\r\n" read as "\n"); a NUL
// cuts the rest of its line. "" when the file cannot be opened.
QString readTextFile(const QString& path);

// Removes every " ", then ",", then "0x", then "0X", in place.
QString& stripHexSeparators(QString& text);

} // namespace Zuno
