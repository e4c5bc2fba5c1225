#pragma once
// The rule the setup dialog applies to the web application's base address before storing it.
#include <string_view>

// True when the address begins with exactly "http://" or exactly "https://" (letter case as
// written: "HTTP://" is refused). Nothing after the scheme is checked.
bool HasWebScheme(std::wstring_view address) noexcept;
