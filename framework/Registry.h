#pragma once
// A registry accessor: one open key, owned and closed with the object.
#include <windows.h>

#include <string>

namespace fw {

class TRegistry {
public:
    TRegistry(HKEY root, REGSAM access) : root_(root), access_(access) {}
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    ~TRegistry() { CloseKey(); }

    // Opens the key below the root, creating it when it is missing. False when it cannot be
    // opened or created with the access asked for (for example when access is denied).
    bool OpenKey(const wchar_t* path);
    void CloseKey() noexcept;
    bool IsOpen() const noexcept { return key_ != nullptr; }

    // Reads a string value (REG_SZ or REG_EXPAND_SZ, not expanded). A missing or empty value
    // gives the empty string; a value of another type throws "Invalid data type for '%s'".
    std::wstring ReadString(const std::wstring& name) const;
    // Stores a REG_SZ value with its terminating NUL; throws "Failed to set data for '%s'".
    void WriteString(const std::wstring& name, const std::wstring& value) const;

private:
    HKEY root_;
    REGSAM access_;
    HKEY key_ = nullptr;
};

} // namespace fw
