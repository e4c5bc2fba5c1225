#pragma once
// Faults of the settings key for tests that drive the real windows: the key's access list changed
// while the program runs, a value of the wrong type, one value's store failing, and the stored
// values read back whole, however long they are.
#include <windows.h>
#include <sddl.h>

#include <cstring>
#include <optional>
#include <string>

namespace faults {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Orvanel";

// Access lists for LockSettingsKey.
inline constexpr wchar_t kNoAccess[] = L"D:P";               // nobody may open the key
inline constexpr wchar_t kReadOnly[] = L"D:P(A;;KR;;;WD)";   // everyone may read, nobody write
inline constexpr wchar_t kFullAccess[] = L"D:(A;;KA;;;WD)";  // the usual state

// Replaces the access list of the settings key (made if missing). The owner may always change
// the list, whatever it says, so a locked key can be unlocked again.
inline bool LockSettingsKey(const wchar_t* sddl) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, READ_CONTROL, nullptr, &key,
                          nullptr) == ERROR_SUCCESS)
        ::RegCloseKey(key);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    PSECURITY_DESCRIPTOR sd = nullptr;
    bool done = false;
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr)) {
        done = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        ::LocalFree(sd);
    }
    ::RegCloseKey(key);
    return done;
}

inline void UnlockSettingsKey() { LockSettingsKey(kFullAccess); }

// Unlocks the key, then removes it with everything in it.
inline void RemoveSettingsKey() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, READ_CONTROL, &key) == ERROR_SUCCESS) {
        ::RegCloseKey(key);
        UnlockSettingsKey();
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
}

// The stored string, whole whatever its length, or nothing when the value is missing or is not a
// string.
inline std::optional<std::wstring> StoredText(const wchar_t* name) {
    DWORD type = 0, size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(text.find(L'\0'));
    return text;
}

// The registry type of a stored value, REG_NONE when it is missing.
inline DWORD StoredType(const wchar_t* name) {
    DWORD type = REG_NONE;
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

// ---- one value's store failing ----
//
// No real registry of the test prefix fails a store for one value while the key is open: access
// is checked once, when the key is opened, and the registry takes values of any size. So this
// stands in for the registry failing one store after the key opened (out of quota on Windows):
// the program's import of RegSetValueExW is replaced, for as long as the object lives, by one
// that answers ERROR_NO_SYSTEM_RESOURCES for the named value and passes every other store on to
// the real function.
class FailingStore {
public:
    explicit FailingStore(std::wstring valueName) {
        Name() = std::move(valueName);
        slot_ = FindImport("RegSetValueExW");
        if (!slot_) return;
        Real() = reinterpret_cast<SetValueFn>(*slot_);
        Replace(reinterpret_cast<void*>(&Failing));
    }
    FailingStore(const FailingStore&) = delete;
    FailingStore& operator=(const FailingStore&) = delete;
    ~FailingStore() {
        if (slot_) Replace(reinterpret_cast<void*>(Real()));
    }

    // Whether the import was found and replaced.
    bool Active() const noexcept { return slot_ != nullptr; }

private:
    using SetValueFn = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);

    static std::wstring& Name() {
        static std::wstring name;
        return name;
    }
    static SetValueFn& Real() {
        static SetValueFn real = nullptr;
        return real;
    }

    static LONG WINAPI Failing(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD size) {
        if (name && Name() == name) return ERROR_NO_SYSTEM_RESOURCES;
        return Real()(key, name, reserved, type, data, size);
    }

    // The import address slot of the named function in this executable, or nullptr.
    static void** FindImport(const char* function) {
        auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (!dir.VirtualAddress) return nullptr;
        for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
             ++imp) {
            if (!imp->OriginalFirstThunk) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
        return nullptr;
    }

    void Replace(void* function) {
        DWORD old = 0;
        ::VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &old);
        *slot_ = function;
        ::VirtualProtect(slot_, sizeof(void*), old, &old);
    }

    void** slot_ = nullptr;
};

} // namespace faults
