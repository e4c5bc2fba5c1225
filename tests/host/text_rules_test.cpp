#include "app/TextRules.h"

#include <gtest/gtest.h>

TEST(TrimText, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
    const struct { const wchar_t* in; const wchar_t* out; } cases[] = {
        {L"", L""},
        {L"   ", L""},
        {L"\t\r\n \x01\x1f", L""},
        {L"  abc  ", L"abc"},
        {L"\tab c\n", L"ab c"},
        {L" 0", L"0"},
        {L"\x21!", L"\x21!"},          // code 33 is kept
        {L" 订货 123 ", L"订货 123"},
        {L"\x3000x\x3000", L"\x3000x\x3000"}, // ideographic space is above 32: kept
    };
    for (const auto& c : cases) EXPECT_EQ(TrimText(c.in), c.out) << "input: [" << c.in << "]";
}

TEST(ReadBoolText, FollowsTheStoredFlagRule) {
    const struct { const wchar_t* text; bool value; } cases[] = {
        {L"1", true},    {L"-1", true},   {L"true", true},  {L"TRUE", true},  {L"True", true},
        {L"2", true},    {L"1.5", true},  {L"+7", true},    {L"1e3", true},   {L" 1 ", true},
        {L"0", false},   {L"-0", false},  {L"0.0", false},  {L"false", false}, {L"FALSE", false},
        {L"yes", false}, {L"", false},    {L"on", false},   {L"1x", false},   {L"truee", false},
        {L".", false},   {L"-", false},   {L"1e", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadBoolText(c.text), c.value) << "text: [" << c.text << "]";
}

TEST(BoolText, StoresFlagsInNumericForm) {
    EXPECT_EQ(BoolText(true), L"-1");
    EXPECT_EQ(BoolText(false), L"0");
    EXPECT_TRUE(ReadBoolText(BoolText(true)));
    EXPECT_FALSE(ReadBoolText(BoolText(false)));
}
