#pragma once
// The web application sees text as code page 936 (GBK) bytes, as on Simplified Chinese Windows,
// whatever the Windows locale of the machine the client runs on.
#include <string>
#include <string_view>

// The GBK bytes of the text. A character that GBK cannot hold (an emoji, a lone surrogate) becomes
// "?", so every text has one defined byte form.
std::string ToCodePage936(std::wstring_view text);

// The text of GBK bytes.
std::wstring FromCodePage936(std::string_view bytes);
