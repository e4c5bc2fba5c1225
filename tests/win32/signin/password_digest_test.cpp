// The password's digest is taken over its code page 936 bytes, whatever the machine's locale.
#include "signin/CodePage936.h"
#include "signin/MD5.h"

#include <gtest/gtest.h>

TEST(CodePage936, GivesGbkBytesForChineseText) {
    EXPECT_EQ(ToCodePage936(L"订货123"), "\xb6\xa9\xbb\xf5" "123");
    EXPECT_EQ(ToCodePage936(L""), "");
    EXPECT_EQ(FromCodePage936("\xb6\xa9\xbb\xf5" "123"), L"订货123");
    EXPECT_EQ(MD5Hex(ToCodePage936(L"订货123")), "bedcf274c0e4f819ace3e56c510e0b11");
}

TEST(CodePage936, TextGbkCannotHoldHasOneDefinedForm) {
    // An emoji (a surrogate pair) and a lone surrogate become "?": a defined digest, never a crash.
    EXPECT_EQ(ToCodePage936(L"a\U0001F600b"), "a?b");
    EXPECT_EQ(MD5Hex(ToCodePage936(L"a\U0001F600b")), "0166d849f21a9d699d896ea2a79a375f");
    const wchar_t lone[] = {L'x', static_cast<wchar_t>(0xD800), L'y', 0};
    EXPECT_EQ(ToCodePage936(lone), "x?y");
}

TEST(CodePage936, LongTextsConvertWhole) {
    const std::wstring text(10000, L'订');
    const std::string bytes = ToCodePage936(text);
    EXPECT_EQ(bytes.size(), 20000u);
    EXPECT_EQ(FromCodePage936(bytes), text);
}
