#include "setup/AddressRule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const wchar_t* address;
    bool accepted;
};

const Case kCases[] = {
    {L"http://", true},
    {L"http://shop.example.invalid/order", true},
    {L"https://", true},
    {L"https://shop.example.invalid", true},
    {L"", false},
    {L"http:/", false},             // shorter than the scheme
    {L"https:/", false},
    {L"HTTP://shop.example.invalid", false}, // letter case counts
    {L"Https://shop.example.invalid", false},
    {L"ftp://x", false},
    {L"httpss://x", false},
    {L"http:\\\\x", false},
    {L" http://x", false},          // the dialog trims first; the rule itself does not
    {L"shop.example.invalid", false},
};

} // namespace

TEST(AddressRule, AcceptsExactlyTheTwoWebSchemes) {
    for (const Case& c : kCases)
        EXPECT_EQ(HasWebScheme(c.address), c.accepted) << std::wstring(c.address);
}
