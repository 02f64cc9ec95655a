// Argument helpers shared by the tarnelo-cli commands.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// Arguments arrive as UTF-8; the core reads single-byte Windows-1252. A
// character that 1252 cannot hold, and a malformed UTF-8 sequence, become "?",
// which the formula parser refuses as a bad character (error code 1) instead
// of reading something the user did not type.
std::string utf8tocp1252(std::string_view utf8);

// A whole argument as a finite number in C notation ("." as decimal mark,
// optional exponent); nothing else may follow. False for anything else.
bool parsenumber(const char* text, double& value);

// Prints "tarnelo-cli: MESSAGE" and "Bruk:" with the usage lines on stderr;
// returns 2.
int usageerror(const std::string& message, const char* usage);

}  // namespace cli
