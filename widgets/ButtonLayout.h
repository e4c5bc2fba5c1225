#pragma once
// The image button's rules that need no window: how a glyph strip is counted and cut, which
// frame each state shows, where glyph and caption go, which 3-D frames the border draws, the
// grey and embossed copies of the first frame, and the caption's accelerator. Pixels here are
// 0x00RRGGBB values, as in a 32-bit DIB.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "widgets/ButtonTypes.h"

namespace btn {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// x divided by 2, rounded toward zero.
constexpr int Half(int x) { return x / 2; }

// ---- the strip ----

// Frames in a strip of width x height: width div height when the width is a whole multiple of
// the height and that is at most 4, one frame for more than four squares, otherwise 4.
// 0 for a strip that counts as empty (height <= 0 or width == 0): the count stays as it was.
int FrameCountForStrip(int width, int height);
// Width of one frame; the columns that remain at the right are never shown.
int FrameWidth(int stripWidth, int numGlyphs);

struct ButtonState {
    bool enabled = true;
    bool mouseInside = false;
    bool pressed = false;
    bool down = false;
};

// The image-list entry a state shows (the list holds the frames, then the grey copy, then the
// embossed copy).
int GlyphEntry(int numGlyphs, const ButtonState& state);

// ---- layout ----

// Top-left corner of the glyph (frame fw x fh) on a button of W x H.
Point GlyphOrigin(TV2TextAlign align, int W, int H, int fw, int fh, int spacing);
// How far the measured caption (tw x th, measured from (0, 0)) moves, given the glyph's
// top-left corner and frame height.
Point CaptionOffset(TV2TextAlign align, int W, int H, int tw, int th, Point glyph, int fh, int spacing);

// ---- border ----

enum BorderColor : std::uint8_t { bcHighlight, bcShadow, bcFace, bcDarkShadow, bcBlack, bcLightGrey };

struct FrameColors {
    BorderColor top = bcHighlight;
    BorderColor bottom = bcShadow;
    bool operator==(const FrameColors&) const = default;
};

// The 3-D frames the border draws: none, one (outer) or two (outer then inner), each `rings`
// pixels deep.
struct BorderPlan {
    int frames = 0;
    FrameColors outer;
    FrameColors inner;
    int rings = 0;
};

struct BorderInput {
    TV2FrameStyle style = fsExplorer;
    bool pressed = false;
    bool flat = true;
    bool mouseInside = false;
    bool down = false;
    bool showPressed = true;
    bool designing = false;
    unsigned borderWidth = 1;
};

BorderPlan PlanBorder(const BorderInput& in);

// The four strips of one ring of a 3-D frame around r (right and bottom exclusive): the left
// column and top row take the top colour, the right column and bottom row the bottom colour.
struct RingStrips {
    Rect leftColumn;
    Rect topRow;
    Rect rightColumn;
    Rect bottomRow;
};
RingStrips RingOf(const Rect& r);

// ---- the grey and embossed copies of the first frame ----

// Grey level (11 x red + 59 x green + 30 x blue) div 100.
std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
std::uint32_t GreyPixel(std::uint32_t rgb);
void MakeGreyCopy(const std::uint32_t* frame, std::uint32_t* out, std::size_t count);
// The engraved copy: the frame's shape (every pixel neither white nor of the top-left pixel's
// colour) stamped in highlight one pixel right and down, then in shadow in place, on face.
void MakeEmbossedCopy(const std::uint32_t* frame, int width, int height, std::uint32_t face,
                      std::uint32_t highlight, std::uint32_t shadow, std::uint32_t* out);

// ---- accelerator ----

// The character after the last single "&" ("&&" marks nothing); 0 when there is none.
wchar_t AcceleratorOf(std::wstring_view caption);
// Whether a typed character is the caption's accelerator, regardless of letter case.
bool IsAccelerator(wchar_t key, std::wstring_view caption);

} // namespace btn
