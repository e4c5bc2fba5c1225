#include "signin/MD5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes1024() {
    std::string s;
    for (int r = 0; r < 4; ++r)
        for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(i));
    return s;
}

} // namespace

TEST(MD5Hex, GivesTheTestSuiteDigestsOfTheStandard) {
    const struct { const char* message; const char* digest; } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(MD5Hex(c.message), c.digest) << '"' << c.message << '"';
}

TEST(MD5Hex, DigestsGbkBytesAsTheyAre) {
    // "订货123" in code page 936, and with a blank inside: blanks count, nothing is trimmed.
    EXPECT_EQ(MD5Hex("\xb6\xa9\xbb\xf5" "123"), "bedcf274c0e4f819ace3e56c510e0b11");
    EXPECT_EQ(MD5Hex("\xb6\xa9\xbb\xf5" " 123"), "11f5c3e3e758f53ceabad2c2454e39f7");
    EXPECT_NE(MD5Hex("ABC"), MD5Hex("abc"));
    // Embedded NUL bytes are part of the message.
    EXPECT_NE(MD5Hex(std::string("a\0b", 3)), MD5Hex("ab"));
}

TEST(MD5Hex, IsAlways32LowercaseHexDigits) {
    const std::string inputs[] = {"", "x", std::string(55, 'y'), std::string(56, 'y'), std::string(64, 'y'),
                                  Bytes1024()};
    for (const auto& in : inputs) {
        const std::string hex = MD5Hex(in);
        ASSERT_EQ(hex.size(), 32u);
        EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos) << hex;
    }
    EXPECT_EQ(MD5Hex(Bytes1024()), "b2ea9f7fcea831a4a63b213f41a8855b");
}

TEST(MD5Update, AnySplitOfTheInputGivesTheOneShotDigest) {
    const std::string message = Bytes1024().substr(0, 200); // crosses three block boundaries
    const std::string expected = MD5Hex(message);
    for (size_t first = 0; first <= message.size(); ++first) {
        for (size_t second : {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{65}}) {
            const size_t cut2 = std::min(message.size(), first + second);
            MD5Context context;
            MD5Init(context);
            MD5Update(context, message.data(), first);
            MD5Update(context, message.data() + first, cut2 - first);
            MD5Update(context, message.data() + cut2, message.size() - cut2);
            unsigned char digest[16];
            MD5Final(digest, context);
            static const char digits[] = "0123456789abcdef";
            std::string hex;
            for (unsigned char b : digest) { hex += digits[b >> 4]; hex += digits[b & 15]; }
            ASSERT_EQ(hex, expected) << "cuts at " << first << " and " << cut2;
        }
    }
}

TEST(MD5Final, ClearsTheWholeContext) {
    MD5Context context;
    MD5Init(context);
    MD5Update(context, "secret password", 15);
    unsigned char digest[16];
    MD5Final(digest, context);
    const auto* raw = reinterpret_cast<const unsigned char*>(&context);
    for (size_t i = 0; i < sizeof(context); ++i) ASSERT_EQ(raw[i], 0) << "byte " << i;
}
