#pragma once
// The main window's date text: "yyyy年mm月dd日", a blank and the weekday name, for example
// "2024年03月05日 星期二".
#include <string>

// dayOfWeek counts from 0 = Sunday, as the system clock reports it.
std::wstring FormatDateText(int year, int month, int day, int dayOfWeek);
