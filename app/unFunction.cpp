#include "app/unFunction.h"

#include "app/TextRules.h"
#include "framework/Registry.h"

namespace {
constexpr wchar_t kSettingsKey[] = L"\\Software\\Orvanel";
}

std::wstring ReadRegStr(const std::wstring& name, const std::wstring& defaultValue) {
    std::wstring result;
    // Reads ask for read access only, so that a key an administrator has made read-only for the
    // user (a locked, pre-configured address) still gives its values.
    fw::TRegistry reg(HKEY_CURRENT_USER, KEY_READ);
    if (reg.OpenKey(kSettingsKey)) result = reg.ReadString(name);
    if (TrimText(result).empty()) return defaultValue;
    return result;
}

void WriteRegStr(const std::wstring& name, const std::wstring& value) {
    fw::TRegistry reg(HKEY_CURRENT_USER, KEY_ALL_ACCESS);
    if (reg.OpenKey(kSettingsKey)) reg.WriteString(name, value);
}
