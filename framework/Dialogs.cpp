#include "framework/Dialogs.h"

#include <windows.h>

#include "framework/Hooks.h"

namespace fw {
namespace {

std::wstring ExecutableName() {
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

TitleSourceFn g_titleSource = nullptr;

} // namespace

void SetMessageTitleSource(TitleSourceFn source) { g_titleSource = source; }

std::wstring MessageTitle() { return g_titleSource ? g_titleSource() : ExecutableName(); }

} // namespace fw

void ShowMessage(const std::wstring& text) {
    const std::wstring title = fw::MessageTitle();
    hooks::messageBox(::GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
}
