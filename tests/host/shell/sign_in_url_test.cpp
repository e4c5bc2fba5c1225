// The sign-in address: the stored base address as it is, the mode's page, the user name encoded
// so that it cannot change the meaning of the query, and the digest.
#include "shell/SignInUrl.h"

#include <gtest/gtest.h>

namespace {
const char kDigest[] = "e10adc3949ba59abbe56e057f20f883e";
}

TEST(SignInUrl, BothModesWithThePlainName) {
    EXPECT_EQ(BuildSignInUrl(L"http://shop.example.com", kOrderingPageTemplate, L"alice", kDigest),
              L"http://shop.example.com/shop/index.aspx?UserName=alice"
              L"&UserPass=e10adc3949ba59abbe56e057f20f883e");
    EXPECT_EQ(BuildSignInUrl(L"http://shop.example.com", kBackOfficePageTemplate, L"bob", kDigest),
              L"http://shop.example.com/tarvelo.aspx?UserName=bob"
              L"&UserPass=e10adc3949ba59abbe56e057f20f883e");
}

TEST(SignInUrl, TheStoredAddressIsUsedExactlyAsStored) {
    EXPECT_EQ(BuildSignInUrl(L"http://127.0.0.1:8080/", kOrderingPageTemplate, L"a", kDigest),
              L"http://127.0.0.1:8080//shop/index.aspx?UserName=a&UserPass=" +
                  std::wstring(L"e10adc3949ba59abbe56e057f20f883e"));
    EXPECT_EQ(BuildSignInUrl(L"", kBackOfficePageTemplate, L"a", "d"),
              L"/tarvelo.aspx?UserName=a&UserPass=d");
}

TEST(SignInUrl, UserNameCharactersThatWouldChangeTheQueryAreEncoded) {
    struct Case {
        const wchar_t* name;
        const wchar_t* encoded;
    };
    const Case cases[] = {
        {L"a&b#c", L"a%26b%23c"},
        {L"50%+x=y", L"50%25%2Bx%3Dy"},
        {L"li ming", L"li%20ming"},
        {L"a/b?c", L"a%2Fb%3Fc"},
        {L"tab\there", L"tab%09here"},
        {L"Az09-._~", L"Az09-._~"},   // the unreserved set stays
        {L"张三&李四", L"张三%26李四"}, // beyond ASCII stays as it is
        {L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeQueryValue(c.name), c.encoded);
        EXPECT_EQ(BuildSignInUrl(L"http://h", kOrderingPageTemplate, c.name, "d"),
                  std::wstring(L"http://h/shop/index.aspx?UserName=") + c.encoded + L"&UserPass=d");
    }
}

TEST(SignInUrl, OnlyTheTwoPlaceholdersAreFilled) {
    EXPECT_EQ(BuildSignInUrl(L"b", L"?a=%s&b=%s&c=%s&d=%d", L"n", "x"), L"b?a=n&b=x&c=%s&d=%d");
}
