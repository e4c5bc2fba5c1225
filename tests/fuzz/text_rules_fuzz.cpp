// Trimming and the Boolean reading rule on arbitrary text.
#include "app/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool Edge(wchar_t c) { return static_cast<unsigned>(c) <= 32u; }

// A plain decimal integer, as written by people and by the program ("-1", "0", "17").
bool PlainInteger(const std::wstring& s, bool& nonZero) {
    size_t i = 0;
    if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) ++i;
    if (i == s.size()) return false;
    nonZero = false;
    for (; i < s.size(); ++i) {
        if (s[i] < L'0' || s[i] > L'9') return false;
        if (s[i] != L'0') nonZero = true;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two bytes a character, so blanks, control characters and any UTF-16 unit occur.
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

    const std::wstring trimmed = TrimText(text);
    if (!trimmed.empty() && (Edge(trimmed.front()) || Edge(trimmed.back()))) std::abort();
    if (text.find(trimmed) == std::wstring::npos) std::abort();
    if (TrimText(trimmed) != trimmed) std::abort();
    // Only edge characters were removed.
    const size_t first = text.find(trimmed);
    for (size_t i = 0; i < first; ++i)
        if (!Edge(text[i])) std::abort();
    for (size_t i = first + trimmed.size(); i < text.size(); ++i)
        if (!Edge(text[i])) std::abort();

    const bool value = ReadBoolText(text);
    bool nonZero = false;
    if (PlainInteger(text, nonZero) && value != nonZero) std::abort();
    if (ReadBoolText(BoolText(value)) != value) std::abort();
    return 0;
}
