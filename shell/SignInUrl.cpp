#include "shell/SignInUrl.h"

namespace {

bool IsUnreserved(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           c == L'-' || c == L'.' || c == L'_' || c == L'~';
}

} // namespace

std::wstring EncodeQueryValue(std::wstring_view value) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    out.reserve(value.size());
    for (wchar_t c : value) {
        if (c >= 0x80 || IsUnreserved(c)) {
            out.push_back(c);
        } else {
            out.push_back(L'%');
            out.push_back(kHex[(c >> 4) & 0xF]);
            out.push_back(kHex[c & 0xF]);
        }
    }
    return out;
}

std::wstring BuildSignInUrl(std::wstring_view baseUrl, std::wstring_view pageTemplate,
                            std::wstring_view userName, std::string_view digest) {
    const std::wstring arguments[2] = {EncodeQueryValue(userName),
                                       std::wstring(digest.begin(), digest.end())};
    std::wstring url(baseUrl);
    size_t next = 0;
    for (size_t i = 0; i < pageTemplate.size(); ++i) {
        if (pageTemplate[i] == L'%' && i + 1 < pageTemplate.size() && pageTemplate[i + 1] == L's' &&
            next < 2) {
            url += arguments[next++];
            ++i;
        } else {
            url.push_back(pageTemplate[i]);
        }
    }
    return url;
}
