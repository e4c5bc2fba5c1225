#include "framework/Registry.h"

#include "framework/Exception.h"

namespace fw {

bool TRegistry::OpenKey(const wchar_t* path) {
    CloseKey();
    // A leading backslash means "from the root"; the registry functions take the path without it.
    while (*path == L'\\') ++path;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root_, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

void TRegistry::CloseKey() noexcept {
    if (key_) ::RegCloseKey(key_);
    key_ = nullptr;
}

std::wstring TRegistry::ReadString(const std::wstring& name) const {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(L"Invalid data type for '" + name + L"'");

    std::wstring text;
    for (;;) {
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        const LONG rc = ::RegQueryValueExW(key_, name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(text.data()), &got);
        if (rc == ERROR_MORE_DATA) { size = got; continue; } // grew in between: read again
        if (rc != ERROR_SUCCESS) return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw ERegistryException(L"Invalid data type for '" + name + L"'");
        break;
    }
    // The text ends at its first NUL; a value stored without one is still read whole.
    text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
    return text;
}

void TRegistry::WriteString(const std::wstring& name, const std::wstring& value) const {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         bytes) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to set data for '" + name + L"'");
}

} // namespace fw
