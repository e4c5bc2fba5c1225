#pragma once
// The weekday names of the main window's date text, indexed from 1 = Sunday to 7 = Saturday
// (index 0 is unused and empty).
#include <array>
#include <string_view>

inline constexpr std::array<std::wstring_view, 8> WeekDayNames = {
    L"", L"星期天", L"星期一", L"星期二", L"星期三", L"星期四", L"星期五", L"星期六",
};
