#pragma once
// Replaceable seams to the outside world. The executable uses the real Win32 defaults; tests
// swap one in to answer message boxes, record shell calls, pin the date or list windows.
#include <windows.h>

namespace hooks {

// Shows a modal message box and returns the button pressed (IDOK, IDCANCEL ...).
using MessageBoxFn = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
// Opens a document or web address with the user's default handler (ShellExecuteW).
using ShellOpenFn = void (*)(HWND parent, const wchar_t* file, int showCmd);
// Local date and time.
using ClockFn = void (*)(SYSTEMTIME* now);
// Enumerates top-level windows (EnumWindows).
using EnumWindowsFn = BOOL (*)(WNDENUMPROC proc, LPARAM param);

extern MessageBoxFn messageBox;
extern ShellOpenFn shellOpen;
extern ClockFn clock;
extern EnumWindowsFn enumWindows;

// Restores every hook to its real implementation.
void ResetAll();

} // namespace hooks
