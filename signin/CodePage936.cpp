#include "signin/CodePage936.h"

#include <windows.h>

namespace {

constexpr UINT kGbk = 936;

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// GBK holds no character beyond the basic plane: each such character (a surrogate pair) and each
// lone surrogate becomes one "?" here, so the byte form does not depend on how the system's
// converter treats them.
std::wstring ReplaceSurrogates(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (!IsSurrogate(c)) {
            out.push_back(c);
            continue;
        }
        if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        out.push_back(L'?');
    }
    return out;
}

} // namespace

std::string ToCodePage936(std::wstring_view text) {
    if (text.empty()) return {};
    for (wchar_t c : text)
        if (IsSurrogate(c)) return ToCodePage936(ReplaceSurrogates(text));
    const int length = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(kGbk, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(kGbk, 0, text.data(), length, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::wstring FromCodePage936(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(kGbk, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(kGbk, 0, bytes.data(), length, text.data(), n);
    return text;
}
