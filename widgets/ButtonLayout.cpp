#include "widgets/ButtonLayout.h"

#include <cwctype>

namespace btn {

int FrameCountForStrip(int width, int height) {
    if (height <= 0 || width == 0) return 0;
    int n = 4;
    if (width % height == 0) {
        n = width / height;
        if (n > 4) n = 1;
    }
    return n;
}

int FrameWidth(int stripWidth, int numGlyphs) {
    if (numGlyphs <= 0) return stripWidth;
    return stripWidth / numGlyphs;
}

int GlyphEntry(int numGlyphs, const ButtonState& s) {
    switch (numGlyphs) {
    case 2:
        return s.enabled && s.mouseInside ? 1 : 0;
    case 3:
        return s.enabled && (s.pressed || s.down) ? 2 : 0;
    case 4:
        if (!s.enabled) return 3;
        if (s.pressed || s.down) return 2;
        if (s.mouseInside) return 1;
        return 0;
    default:
        return 0;
    }
}

Point GlyphOrigin(TV2TextAlign align, int W, int H, int fw, int fh, int S) {
    switch (align) {
    case ttaTopLeft:
    case ttaTop:
    case ttaTopRight:
        return {Half(W - fw), H - fh - S};
    case ttaRight:
        return {S, Half(H - fh)};
    case ttaBottomRight:
    case ttaBottom:
    case ttaBottomLeft:
        return {Half(W - fw), S};
    case ttaLeft:
        return {W - fw - S, Half(H - fh)};
    case ttaCenter:
    default:
        return {Half(W - fw), Half(H - fh)};
    }
}

Point CaptionOffset(TV2TextAlign align, int W, int H, int tw, int th, Point g, int fh, int S) {
    const int above = g.y - th - S;
    const int below = g.y + fh + S;
    const int centreX = Half(W) - Half(tw);
    const int centreY = Half(H) - Half(th);
    switch (align) {
    case ttaTopLeft: return {S, above};
    case ttaTop: return {centreX, above};
    case ttaTopRight: return {W - tw - S, above};
    case ttaRight: return {W - tw - S, centreY};
    case ttaBottomRight: return {W - tw - S, below};
    case ttaBottom: return {centreX, below};
    case ttaBottomLeft: return {S, below};
    case ttaLeft: return {S, centreY};
    case ttaCenter:
    default: return {centreX, centreY};
    }
}

BorderPlan PlanBorder(const BorderInput& in) {
    BorderPlan plan;
    plan.rings = static_cast<int>(in.borderWidth);
    auto one = [&plan](BorderColor top, BorderColor bottom) {
        plan.frames = 1;
        plan.outer = {top, bottom};
    };
    auto two = [&plan](BorderColor top, BorderColor bottom, BorderColor innerTop, BorderColor innerBottom) {
        plan.frames = 2;
        plan.outer = {top, bottom};
        plan.inner = {innerTop, innerBottom};
    };
    if (!in.pressed) {
        const bool f = !in.flat || in.mouseInside || in.designing;
        switch (in.style) {
        case fsRegular: if (f) two(bcHighlight, bcBlack, bcLightGrey, bcShadow); break;
        case fsIndent: if (f) two(bcShadow, bcHighlight, bcHighlight, bcShadow); break;
        case fsExplorer: if (in.mouseInside || in.designing) one(bcHighlight, bcShadow); break;
        case fsNone:
            if (in.designing) { // the designer's outline is always one ring
                one(bcBlack, bcBlack);
                plan.rings = 1;
            }
            break;
        case fsLight: if (f) one(bcHighlight, bcShadow); break;
        case fsDark: if (f) one(bcFace, bcDarkShadow); break;
        case fsMono: if (f) one(bcHighlight, bcDarkShadow); break;
        }
    } else {
        const bool sp = in.showPressed;
        switch (in.style) {
        case fsRegular: if (sp) two(bcBlack, bcHighlight, bcShadow, bcFace); break;
        case fsIndent: if (sp) two(bcBlack, bcHighlight, bcShadow, bcFace); break;
        case fsExplorer:
            if (in.mouseInside || in.down) {
                if (sp) one(bcShadow, bcHighlight);
                else one(bcHighlight, bcShadow);
            }
            break;
        case fsNone: break;
        case fsLight: if (sp) one(bcShadow, bcHighlight); break;
        case fsDark: if (sp) one(bcDarkShadow, bcFace); break;
        case fsMono: if (sp) one(bcDarkShadow, bcHighlight); break;
        }
    }
    if (plan.rings <= 0) plan.frames = 0;
    return plan;
}

RingStrips RingOf(const Rect& r) {
    const int x0 = r.left, y0 = r.top, x1 = r.right - 1, y1 = r.bottom - 1;
    RingStrips s;
    s.leftColumn = {x0, y0, x0 + 1, y1};     // rows y0 .. y1 - 1
    s.topRow = {x0, y0, x1, y0 + 1};         // columns x0 .. x1 - 1
    s.rightColumn = {x1, y0, x1 + 1, y1 + 1}; // rows y0 .. y1
    s.bottomRow = {x0, y1, x1 + 1, y1 + 1};   // columns x0 .. x1
    return s;
}

std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint8_t>((11 * red + 59 * green + 30 * blue) / 100);
}

std::uint32_t GreyPixel(std::uint32_t rgb) {
    const std::uint32_t g = GreyLevel(static_cast<std::uint8_t>(rgb >> 16),
                                      static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb));
    return (g << 16) | (g << 8) | g;
}

void MakeGreyCopy(const std::uint32_t* frame, std::uint32_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out[i] = GreyPixel(frame[i] & 0x00FFFFFFu);
}

void MakeEmbossedCopy(const std::uint32_t* frame, int width, int height, std::uint32_t face,
                      std::uint32_t highlight, std::uint32_t shadow, std::uint32_t* out) {
    if (width <= 0 || height <= 0) return;
    const std::uint32_t background = frame[0] & 0x00FFFFFFu;
    auto shape = [&](int x, int y) {
        const std::uint32_t p = frame[static_cast<std::size_t>(y) * width + x] & 0x00FFFFFFu;
        return p != 0x00FFFFFFu && p != background;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = face;
            if (x > 0 && y > 0 && shape(x - 1, y - 1)) p = highlight;
            if (shape(x, y)) p = shadow;
            out[static_cast<std::size_t>(y) * width + x] = p;
        }
    }
}

wchar_t AcceleratorOf(std::wstring_view caption) {
    wchar_t found = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (i + 1 >= caption.size()) break;
        if (caption[i + 1] == L'&') { // "&&" is a plain "&"
            ++i;
            continue;
        }
        found = caption[i + 1];
        ++i;
    }
    return found;
}

bool IsAccelerator(wchar_t key, std::wstring_view caption) {
    const wchar_t acc = AcceleratorOf(caption);
    if (acc == 0 || key == 0) return false;
    return std::towupper(static_cast<wint_t>(acc)) == std::towupper(static_cast<wint_t>(key));
}

} // namespace btn
