// Reading numbers typed by the user, in 4-byte floats as the parameter boxes
// and options hold them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The number in an edit field's text. "," and "." are both taken as the decimal
// mark where an integer part stops; an empty text and text that does not start
// like a number (e.g. "abc") read as 0. Text that starts like a number but is
// not one ("2,5,5", "2abc") gives no value: the caller reports it.
// decimalseparator is the program's setting ("," in a Norwegian locale).
std::optional<float> edittofloat(std::string_view text, char decimalseparator);

// The text converted as a decimal number with the given separator, allowing
// blanks around it and an exponent; no value when it is not a number or is out
// of the 4-byte float range.
std::optional<float> texttofloat(std::string_view text, char decimalseparator);

// The number typed into a point dialog, where a value must be given: as
// edittofloat, but an empty text and text that is no number ("abc") give no
// value instead of 0.
std::optional<float> typedfloat(std::string_view text, char decimalseparator);

// The message shown when a typed text is not a number.
std::string notanumbermessage(std::string_view text);
