#include "shell/DateText.h"

#include <cwchar>

#include "shell/unDays.h"

std::wstring FormatDateText(int year, int month, int day, int dayOfWeek) {
    wchar_t date[32];
    std::swprintf(date, 32, L"%04d年%02d月%02d日 ", year, month, day);
    std::wstring text(date);
    if (dayOfWeek >= 0 && dayOfWeek <= 6) text += WeekDayNames[static_cast<size_t>(dayOfWeek) + 1];
    return text;
}
