// Settings written by the legacy 8-bit client (the ANSI registry functions under code page 936)
// and by this client are read identically by the other.
#include "app/unFunction.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kKeyA[] = "Software\\Orvanel";

std::string Gbk(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(936, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

const struct { const wchar_t* name; const wchar_t* text; } kValues[] = {
    {L"Url", L"http://order.example.com/shop"},
    {L"Title", L"华东区门店订货"},
    {L"会员名", L"张三"},
    {L"会员密码", L"订货123"},
    {L"用户名", L"李四 admin"},
    {L"管理密码", L"管理&#%+= 密码"},
    {L"cbSave", L"-1"},
};

class SettingsInterop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::GetACP(), 936u) << "the tests run under the Simplified Chinese code page";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvanel");
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvanel"); }
};

} // namespace

TEST_F(SettingsInterop, ValuesWrittenWithTheAnsiFunctionsAreReadBackIdentically) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKeyA, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    for (const auto& v : kValues) {
        const std::string name = Gbk(v.name);
        const std::string text = Gbk(v.text);
        ASSERT_EQ(::RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
    }
    ::RegCloseKey(key);
    for (const auto& v : kValues) EXPECT_EQ(ReadRegStr(v.name, L"?"), v.text) << v.name;
}

TEST_F(SettingsInterop, ValuesWrittenByTheStoreAreReadIdenticallyWithTheAnsiFunctions) {
    for (const auto& v : kValues) WriteRegStr(v.name, v.text);
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kKeyA, 0, KEY_READ, &key), ERROR_SUCCESS);
    for (const auto& v : kValues) {
        char buffer[256]{};
        DWORD size = sizeof(buffer);
        DWORD type = 0;
        ASSERT_EQ(::RegQueryValueExA(key, Gbk(v.name).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size),
                  ERROR_SUCCESS)
            << Gbk(v.name);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(std::string(buffer), Gbk(v.text));
        EXPECT_EQ(size, Gbk(v.text).size() + 1); // the 8-bit form with its NUL, as the legacy client stores it
    }
    ::RegCloseKey(key);
}
