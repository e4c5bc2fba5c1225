#pragma once
// The enumerations of the image button (TV2TransparentButton), apart from the button so that
// the pure layout code can use them.
#include <cstdint>

enum TV2FrameStyle : std::uint8_t { fsRegular, fsIndent, fsExplorer, fsNone, fsLight, fsDark, fsMono };

enum TV2TextAlign : std::uint8_t {
    ttaTopLeft,
    ttaTop,
    ttaTopRight,
    ttaRight,
    ttaBottomRight,
    ttaBottom,
    ttaBottomLeft,
    ttaLeft,
    ttaCenter
};

// Number of frames in a glyph strip: 1 to 4.
using TNumGlyphs = std::uint8_t;
