#pragma once
// Drives the program's real windows from a test: the settings in the registry, message boxes
// answered through the hook (each one recorded with the application title at that moment),
// clicks and keys as real window messages, the message loop, and code to run inside a modal loop.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/Hooks.h"
#include "framework/WinControl.h"

namespace drive {

// ---- settings: HKCU\Software\Orvanel ----

inline constexpr wchar_t kSettingsKey[] = L"Software\\Orvanel";

inline void ClearSettings() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
}

inline void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

inline void PutSetting(const wchar_t* name, const std::wstring& text) {
    PutRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

inline void PutDwordSetting(const wchar_t* name, DWORD value) {
    PutRaw(name, REG_DWORD, &value, sizeof value);
}

// The stored text, or nothing when the value does not exist.
inline std::optional<std::wstring> Setting(const wchar_t* name) {
    wchar_t buffer[1024]{};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, buffer,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}

// ---- message boxes ----

struct ShownBox {
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
    HWND owner = nullptr;
    std::wstring titleThen; // the application title while the box was up
};

inline std::vector<ShownBox>& Boxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
}

// Called for every box while it is up (after it is recorded).
inline std::function<void(const ShownBox&)>& WhileBoxIsUp() {
    static std::function<void(const ShownBox&)> action;
    return action;
}

inline int RecordBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    Boxes().push_back({text, caption, flags, owner, Application ? Application->Title() : L""});
    if (WhileBoxIsUp()) WhileBoxIsUp()(Boxes().back());
    return IDOK;
}

// Every message box from now on is recorded and answered with OK at once.
inline void AnswerBoxesWithOk() {
    Boxes().clear();
    WhileBoxIsUp() = nullptr;
    hooks::messageBox = RecordBox;
}

// ---- input ----

// A left click in the middle of the control: a windowless control gets it through its parent
// window, as the mouse would deliver it; a system button gets BM_CLICK.
inline void Click(TControl& control) {
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        ::SendMessageW(win->Handle(), BM_CLICK, 0, 0);
        return;
    }
    HWND parent = control.Parent()->Handle();
    const LPARAM at = MAKELPARAM(control.Left() + control.Width() / 2, control.Top() + control.Height() / 2);
    ::SendMessageW(parent, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(parent, WM_LBUTTONUP, 0, at);
}

// Characters typed into a window, one WM_CHAR each.
inline void Type(HWND hwnd, const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(hwnd, WM_CHAR, c, 1);
}

// A key pressed and released in a window, through the application's message loop (which turns
// it into characters and applies the dialog keys).
inline void PressKey(HWND hwnd, UINT vk) {
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    ::PostMessageW(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
    Application->ProcessMessages();
}

inline std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[512]{};
    ::GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

// ---- loops ----

inline std::function<void()>& PendingInsideModal() {
    static std::function<void()> pending;
    return pending;
}

inline void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    std::function<void()> run = std::move(PendingInsideModal());
    PendingInsideModal() = nullptr;
    if (run) run();
}

// Runs fn from the next message loop that runs (a modal form's, typically): a thread timer.
inline void RunInsideModal(std::function<void()> fn) {
    PendingInsideModal() = std::move(fn);
    ::SetTimer(nullptr, 0, 1, RunPending);
}

// Takes every waiting message off the queue, quit message included, without handling it.
inline bool DrainQueue() {
    bool quit = false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) quit = true;
    return quit;
}

} // namespace drive
