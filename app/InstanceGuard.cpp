#include "app/InstanceGuard.h"

#include <cstring>

#include "framework/Application.h"
#include "framework/Hooks.h"

namespace {

// The state of the check. It lives for the process and is touched only by the constructor and
// by the enumeration callback that the constructor runs synchronously.
struct GuardState {
    char ownTitle[256];
    char ownClassName[256];
    int matchCount;
    HWND ownWindow;
    HWND otherWindow;
    HWND otherPopup;
};
GuardState g_state{};

// Class names and titles are compared as the 8-bit texts of the system code page, byte for byte
// and case-sensitively, at most 255 bytes each.
BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM) {
    char text[256];
    if (::GetClassNameA(hwnd, text, sizeof text) == 0) return TRUE;
    if (std::strcmp(text, g_state.ownClassName) != 0) return TRUE;
    if (::GetWindowTextA(hwnd, text, sizeof text) == 0) return TRUE;
    if (std::strcmp(text, g_state.ownTitle) != 0) return TRUE;
    ++g_state.matchCount;
    if (hwnd != g_state.ownWindow) g_state.otherWindow = hwnd;
    return TRUE; // the enumeration always runs to the end
}

} // namespace

TInstanceGuard::TInstanceGuard(TObject*) {
    g_state.matchCount = 0;
    g_state.otherWindow = nullptr;
    g_state.ownWindow = Application ? Application->Handle() : nullptr;
    g_state.ownTitle[0] = '\0';
    g_state.ownClassName[0] = '\0';
    ::GetWindowTextA(g_state.ownWindow, g_state.ownTitle, sizeof g_state.ownTitle);
    ::GetClassNameA(g_state.ownWindow, g_state.ownClassName, sizeof g_state.ownClassName);

    hooks::enumWindows(CheckWindow, 0);

    if (g_state.matchCount > 1) {
        g_state.otherPopup = ::GetLastActivePopup(g_state.otherWindow);
        ::BringWindowToTop(g_state.otherWindow);
        if (::IsIconic(g_state.otherPopup))
            ::ShowWindow(g_state.otherPopup, SW_RESTORE);
        else
            ::SetForegroundWindow(g_state.otherPopup);
        if (Application) {
            Application->ShowMainForm = false;
            Application->Terminate();
        }
    }
}

int TInstanceGuard::MatchCount() noexcept { return g_state.matchCount; }

HWND TInstanceGuard::OtherWindow() noexcept { return g_state.otherWindow; }
