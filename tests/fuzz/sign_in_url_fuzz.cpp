// The sign-in address for any user name: the encoded name decodes back to the name, and the
// address always carries exactly the two query parameters, whatever the name holds.
#include "shell/SignInUrl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1; // encoded digits are uppercase
}

std::wstring PercentDecode(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != L'%') {
            out.push_back(s[i]);
            continue;
        }
        if (i + 2 >= s.size()) std::abort();
        const int hi = HexValue(s[i + 1]), lo = HexValue(s[i + 2]);
        if (hi < 0 || lo < 0) std::abort();
        out.push_back(static_cast<wchar_t>(hi * 16 + lo));
        i += 2;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::wstring name;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        name.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const bool ordering = (data[0] & 1) != 0;
    const std::wstring base = L"http://127.0.0.1:8080";
    const std::string digest = "0123456789abcdef0123456789abcdef";

    const std::wstring url = BuildSignInUrl(
        base, ordering ? kOrderingPageTemplate : kBackOfficePageTemplate, name, digest);

    const std::wstring page = ordering ? L"/shop/index.aspx" : L"/tarvelo.aspx";
    if (url.compare(0, base.size() + page.size() + 1, base + page + L"?") != 0) std::abort();
    // No fragment, and the query splits into exactly the two parameters.
    if (url.find(L'#') != std::wstring::npos) std::abort();
    const std::wstring query = url.substr(base.size() + page.size() + 1);
    std::vector<std::wstring> params;
    size_t start = 0;
    for (;;) {
        const size_t amp = query.find(L'&', start);
        params.push_back(query.substr(start, amp == std::wstring::npos ? std::wstring::npos : amp - start));
        if (amp == std::wstring::npos) break;
        start = amp + 1;
    }
    if (params.size() != 2) std::abort();
    if (params[0].rfind(L"UserName=", 0) != 0 || params[1] != L"UserPass=0123456789abcdef0123456789abcdef")
        std::abort();
    const std::wstring encoded = params[0].substr(9);
    if (encoded.find(L'=') != std::wstring::npos || encoded.find(L'+') != std::wstring::npos ||
        encoded.find(L' ') != std::wstring::npos)
        std::abort();
    // ASCII outside the unreserved set never appears raw; the name decodes back whole.
    for (wchar_t c : encoded) {
        const bool unreserved = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                                (c >= L'0' && c <= L'9') || c == L'-' || c == L'.' || c == L'_' ||
                                c == L'~' || c == L'%';
        if (c < 0x80 && !unreserved) std::abort();
    }
    if (PercentDecode(encoded) != name) std::abort();
    return 0;
}
