#include "app/TextRules.h"

namespace {

bool IsBlankOrControl(wchar_t c) { return static_cast<unsigned>(c) <= 32u; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Parses a decimal number (optional sign, digits with an optional fraction, optional exponent,
// blanks around it allowed). Sets isZero when every digit of the mantissa is 0.
bool ParseDecimal(std::wstring_view s, bool& isZero) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n && s[i] == L' ') ++i;
    if (i < n && (s[i] == L'+' || s[i] == L'-')) ++i;
    bool digits = false;
    isZero = true;
    while (i < n && IsDigit(s[i])) { digits = true; if (s[i] != L'0') isZero = false; ++i; }
    if (i < n && s[i] == L'.') {
        ++i;
        while (i < n && IsDigit(s[i])) { digits = true; if (s[i] != L'0') isZero = false; ++i; }
    }
    if (!digits) return false;
    if (i < n && (s[i] == L'e' || s[i] == L'E')) {
        ++i;
        if (i < n && (s[i] == L'+' || s[i] == L'-')) ++i;
        bool expDigits = false;
        while (i < n && IsDigit(s[i])) { expDigits = true; ++i; }
        if (!expDigits) return false;
    }
    while (i < n && s[i] == L' ') ++i;
    return i == n;
}

bool EqualsNoCase(std::wstring_view s, std::wstring_view lowerAscii) {
    if (s.size() != lowerAscii.size()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lowerAscii[i]) return false;
    }
    return true;
}

} // namespace

std::wstring TrimText(std::wstring_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first])) ++first;
    while (last > first && IsBlankOrControl(text[last - 1])) --last;
    return std::wstring(text.substr(first, last - first));
}

bool ReadBoolText(std::wstring_view text) {
    bool isZero = false;
    if (ParseDecimal(text, isZero)) return !isZero;
    return EqualsNoCase(text, L"true");
}

std::wstring BoolText(bool value) { return value ? L"-1" : L"0"; }
