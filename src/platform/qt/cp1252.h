// Windows-1252 text (the program's own text everywhere outside the widgets)
// to and from QString. Every byte has a character, so bytes survive a round
// trip; the five bytes the code page leaves undefined map to the C1 controls
// of the same number, as Windows does.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

QString tounicode(std::string_view text);
// Characters outside the code page become "?".
std::string tocp1252(const QString& text);
// True when every character of the text has a byte in the code page.
bool incp1252(const QString& text);

}  // namespace platform
