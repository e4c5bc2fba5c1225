#pragma once
// The two text rules every window applies to what the user typed and to what the settings hold.
#include <string>
#include <string_view>

// Removes all leading and trailing characters of code 32 or below (blanks and control characters);
// the characters between them stay as they are.
std::wstring TrimText(std::wstring_view text);

// Reads a stored flag as a Boolean: text that parses as a decimal number is true when the number is
// not zero; otherwise "True" and "False" in any letter case; anything else is false.
bool ReadBoolText(std::wstring_view text);

// The text form in which flags are stored: "-1" for true, "0" for false.
std::wstring BoolText(bool value);
