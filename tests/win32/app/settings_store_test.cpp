// The settings store against the real registry of the test prefix.
#include "app/TextRules.h"
#include "app/unFunction.h"
#include "framework/Exception.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kKey[] = L"Software\\Orvanel";

void DeleteSettingsKey() {
    // Give the key back full access first, in case a test left it locked.
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                   &sd, nullptr)) {
            ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
            ::LocalFree(sd);
        }
        ::RegCloseKey(key);
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

bool KeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

DWORD ValueCount() {
    HKEY key = nullptr;
    DWORD count = 0;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                           nullptr, nullptr, nullptr);
        ::RegCloseKey(key);
    }
    return count;
}

// Stores raw registry data under the key, bypassing the store.
void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    ::RegCloseKey(key);
}

void PutString(const wchar_t* name, const std::wstring& text) {
    PutRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Replaces the key's access list with the one given in SDDL.
void LockKey(const wchar_t* sddl) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr);
    if (key) ::RegCloseKey(key);
    // The owner may always change the access list, whatever it says.
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    ::LocalFree(sd);
    ::RegCloseKey(key);
}

std::wstring ThrownMessage(void (*action)()) {
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return L"(nothing thrown)";
}

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { DeleteSettingsKey(); }
    void TearDown() override { DeleteSettingsKey(); }
};

} // namespace

TEST_F(SettingsStore, FirstReadOnACleanMachineCreatesTheEmptyKeyAndGivesTheDefault) {
    ASSERT_FALSE(KeyExists());
    EXPECT_EQ(ReadRegStr(L"Url", L"http://"), L"http://");
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(ValueCount(), 0u);
}

TEST_F(SettingsStore, BlankValuesReadAsTheDefaultOthersExactlyAsStored) {
    const struct { const wchar_t* stored; const wchar_t* defaultValue; const wchar_t* read; } cases[] = {
        {L"   ", L"客户订货系统", L"客户订货系统"},
        {L"\t\r\n", L"x", L"x"},
        {L"", L"1", L"1"},
        {L" 0", L"1", L" 0"},
        {L"  订货 ", L"", L"  订货 "},
        {L"http://shop.example.com/", L"", L"http://shop.example.com/"},
    };
    for (const auto& c : cases) {
        PutString(L"Title", c.stored);
        EXPECT_EQ(ReadRegStr(L"Title", c.defaultValue), c.read) << "stored [" << c.stored << "]";
    }
    EXPECT_EQ(ReadRegStr(L"会员密码", L"1"), L"1"); // missing
}

TEST_F(SettingsStore, RememberFlagReadsByTheBooleanRule) {
    const struct { const wchar_t* stored; bool value; } cases[] = {
        {L"1", true}, {L"-1", true}, {L"true", true}, {L"TRUE", true},
        {L"0", false}, {L"false", false}, {L"yes", false}, {L"", false},
    };
    for (const auto& c : cases) {
        PutString(L"cbSave", c.stored);
        EXPECT_EQ(ReadBoolText(ReadRegStr(L"cbSave", L"false")), c.value) << "stored [" << c.stored << "]";
    }
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"cbSave");
    EXPECT_FALSE(ReadBoolText(ReadRegStr(L"cbSave", L"false")));
}

TEST_F(SettingsStore, WritesStoreStringValuesAndAnEmptyTextIsKept) {
    WriteRegStr(L"会员名", L"张三");
    WriteRegStr(L"会员密码", L"");
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(::RegQueryValueExW(key, L"会员密码", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof(wchar_t)); // just the terminating NUL
    wchar_t name[16]{};
    size = sizeof(name);
    ASSERT_EQ(::RegQueryValueExW(key, L"会员名", nullptr, &type, reinterpret_cast<BYTE*>(name), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(name), L"张三");
    EXPECT_EQ(size, 3 * sizeof(wchar_t));
    ::RegCloseKey(key);
    EXPECT_EQ(ReadRegStr(L"会员密码", L"1"), L"1");
}

TEST_F(SettingsStore, AValueOfAnotherTypeRaisesTheExactMessage) {
    const DWORD number = 1;
    PutRaw(L"Type", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(ThrownMessage([] { ReadRegStr(L"Type", L"1"); }), L"Invalid data type for 'Type'");
    const BYTE bytes[] = {0x31, 0x00};
    PutRaw(L"会员名", REG_BINARY, bytes, sizeof(bytes));
    EXPECT_EQ(ThrownMessage([] { ReadRegStr(L"会员名", L""); }), L"Invalid data type for '会员名'");
}

TEST_F(SettingsStore, AFailedStoreRaisesTheExactMessage) {
    // A value name longer than the registry allows: the key opens, the store fails.
    static const std::wstring tooLong(20000, L'n');
    const std::wstring message = ThrownMessage([] { WriteRegStr(tooLong, L"x"); });
    EXPECT_EQ(message, L"Failed to set data for '" + tooLong + L"'");
}

TEST_F(SettingsStore, AKeyTheUserMayNotOpenGivesDefaultsAndStoresNothingSilently) {
    PutString(L"Url", L"http://shop.example.com");
    LockKey(L"D:P"); // protected, empty access list: nobody may open it
    EXPECT_EQ(ReadRegStr(L"Url", L""), L"");
    EXPECT_EQ(ReadRegStr(L"Title", L"客户订货系统"), L"客户订货系统");
    EXPECT_NO_THROW(WriteRegStr(L"Url", L"http://other.example.com"));
    LockKey(L"D:(A;;KA;;;WD)");
    EXPECT_EQ(ReadRegStr(L"Url", L""), L"http://shop.example.com");
}

TEST_F(SettingsStore, AReadOnlyKeyStillGivesItsStoredValues) {
    PutString(L"Url", L"http://locked.example.com");
    PutString(L"Title", L"门店订货");
    LockKey(L"D:P(A;;KR;;;WD)"); // read access only
    EXPECT_EQ(ReadRegStr(L"Url", L""), L"http://locked.example.com");
    EXPECT_EQ(ReadRegStr(L"Title", L"客户订货系统"), L"门店订货");
    EXPECT_NO_THROW(WriteRegStr(L"Url", L"http://other.example.com")); // stores nothing
    EXPECT_EQ(ReadRegStr(L"Url", L""), L"http://locked.example.com");
}
