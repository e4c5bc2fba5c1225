#pragma once
// The vendor's support site, opened in the user's browser from the tray menu, and the path of
// its help pages below it.
#include <string_view>

inline constexpr std::wstring_view kSupportSiteUrl = L"http://support.example.com";
inline constexpr std::wstring_view kHelpPagesPath = L"/help/BuyHTML/";
