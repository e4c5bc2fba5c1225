#pragma once
// The arithmetic of the flat pop-up menu look that TMenuStyler draws: colours lightened toward
// white, the item sizes and the rectangles inside one item. No Windows headers: the host tests
// check it natively. Colours are 0x00BBGGRR values, as COLORREF.
#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <string_view>

namespace menustyle {

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned RedOf(Rgb c) { return c & 0xFFu; }
constexpr unsigned GreenOf(Rgb c) { return (c >> 8) & 0xFFu; }
constexpr unsigned BlueOf(Rgb c) { return (c >> 16) & 0xFFu; }

// Moves one channel by percent of its distance to 255, rounded to the nearest step.
constexpr unsigned LightenChannel(unsigned channel, int percent) {
    const int p = std::clamp(percent, 0, 100);
    return channel + (static_cast<unsigned>(255 - channel) * static_cast<unsigned>(p) + 50) / 100;
}

// The colour moved toward white by percent (0: unchanged, 100: white), channel by channel.
constexpr Rgb Lighten(Rgb color, int percent) {
    return MakeRgb(LightenChannel(RedOf(color), percent), LightenChannel(GreenOf(color), percent),
                   LightenChannel(BlueOf(color), percent));
}

// Shares by which the system colours are lightened.
constexpr int kItemBackPercent = 86;   // item background: button face
constexpr int kIconBackPercent = 16;   // icon column: button face
constexpr int kSelectFillPercent = 68; // selection fill: highlight

// The system colours the look is made from.
struct SystemColors {
    Rgb btnFace;
    Rgb btnShadow;
    Rgb highlight;
    Rgb highlightText;
    Rgb menuText;
    Rgb disabledText; // the styler's DisabledColor, the inactive caption colour
};

// The colours one menu is drawn with.
struct Palette {
    Rgb itemBack;
    Rgb iconBack;
    Rgb selectFill;
    Rgb selectBorder;
    Rgb text;
    Rgb selectText;
    Rgb disabledText;
    Rgb separator;
};

// The palette for a display of the given colour depth. Above 15 bits per pixel the colours are
// lightened toward white; on shallower displays, where such shades would dither, the plain system
// colours are used, with the highlight text colour on the plain highlight.
constexpr Palette MakePalette(const SystemColors& sys, int bitsPerPixel) {
    if (bitsPerPixel > 15)
        return Palette{Lighten(sys.btnFace, kItemBackPercent),
                       Lighten(sys.btnFace, kIconBackPercent),
                       Lighten(sys.highlight, kSelectFillPercent),
                       sys.highlight,
                       sys.menuText,
                       sys.menuText,
                       sys.disabledText,
                       sys.btnShadow};
    return Palette{sys.btnFace, sys.btnFace,      sys.highlight,    sys.highlight,
                   sys.menuText, sys.highlightText, sys.disabledText, sys.btnShadow};
}

struct Rect {
    int left, top, right, bottom;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr int kTextGap = 8;         // from the icon column to the caption
constexpr int kRightMargin = 16;    // right of the caption: room for a shortcut or submenu arrow
constexpr int kSeparatorHeight = 5; // a separator: one line in the middle
constexpr int kTextPadding = 8;     // above and below the caption together

// Height of an item: a separator is thin; a text item fits its caption and a square icon cell
// two pixels less than the column is wide.
constexpr int ItemHeight(bool separator, int textHeight, int iconWidth) {
    if (separator) return kSeparatorHeight;
    return std::max(textHeight + kTextPadding, iconWidth - 2);
}

// Width the item asks for: icon column, gap, caption and the right margin.
constexpr int ItemWidth(bool separator, int textWidth, int iconWidth) {
    if (separator) return iconWidth + kTextGap;
    return iconWidth + kTextGap + textWidth + kRightMargin;
}

// The rectangles inside one item's rectangle.
constexpr Rect IconColumn(const Rect& item, int iconWidth) {
    return Rect{item.left, item.top, std::min(item.left + iconWidth, item.right), item.bottom};
}
constexpr Rect TextArea(const Rect& item, int iconWidth) {
    return Rect{std::min(item.left + iconWidth + kTextGap, item.right), item.top,
                std::max(item.right - kRightMargin, item.left + iconWidth + kTextGap), item.bottom};
}
// The separator line: one pixel high across the caption area, in the middle of the item.
constexpr Rect SeparatorLine(const Rect& item, int iconWidth) {
    const int y = item.top + (item.bottom - item.top) / 2;
    return Rect{std::min(item.left + iconWidth + kTextGap, item.right), y, item.right, y + 1};
}
// The selection box covers the whole item: a one-pixel border around the fill.
constexpr Rect SelectionFill(const Rect& item) {
    return Rect{item.left + 1, item.top + 1, item.right - 1, item.bottom - 1};
}

// The face the menu font is drawn with: the old bitmap face "MS Sans Serif" (in any letter case)
// becomes "Tahoma", which has the same metrics and draws clearly; every other face stays.
inline std::wstring_view MenuFontFace(std::wstring_view face) {
    constexpr std::wstring_view oldFace = L"MS Sans Serif";
    if (face.size() == oldFace.size() &&
        std::equal(face.begin(), face.end(), oldFace.begin(), [](wchar_t a, wchar_t b) {
            return std::towlower(static_cast<std::wint_t>(a)) == std::towlower(static_cast<std::wint_t>(b));
        }))
        return L"Tahoma";
    return face;
}

} // namespace menustyle
