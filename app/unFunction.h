#pragma once
// The settings store: every setting is a string value under HKEY_CURRENT_USER\Software\Orvanel.
// No cache: each call opens the key, does its one access and closes it again, so a value written by
// one window is what the next read anywhere returns.
#include <string>

// The value's text, or defaultValue when the value is missing or holds only blanks and control
// characters (a non-blank value comes back exactly as stored). A key that cannot be opened gives
// the default; a value that is not a string throws ERegistryException
// "Invalid data type for '<name>'".
std::wstring ReadRegStr(const std::wstring& name, const std::wstring& defaultValue);

// Stores the text as a string value, replacing any earlier one ("" stores an empty string). A key
// that cannot be opened stores nothing, silently; a failed store throws ERegistryException
// "Failed to set data for '<name>'".
void WriteRegStr(const std::wstring& name, const std::wstring& value);
