#include "framework/Hooks.h"

#include <shellapi.h>

namespace hooks {
namespace {

int RealMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return ::MessageBoxW(owner, text, caption, flags);
}

void RealShellOpen(HWND parent, const wchar_t* file, int showCmd) {
    ::ShellExecuteW(parent, nullptr, file, nullptr, nullptr, showCmd);
}

void RealClock(SYSTEMTIME* now) { ::GetLocalTime(now); }

BOOL RealEnumWindows(WNDENUMPROC proc, LPARAM param) { return ::EnumWindows(proc, param); }

} // namespace

MessageBoxFn messageBox = RealMessageBox;
ShellOpenFn shellOpen = RealShellOpen;
ClockFn clock = RealClock;
EnumWindowsFn enumWindows = RealEnumWindows;

void ResetAll() {
    messageBox = RealMessageBox;
    shellOpen = RealShellOpen;
    clock = RealClock;
    enumWindows = RealEnumWindows;
}

} // namespace hooks
