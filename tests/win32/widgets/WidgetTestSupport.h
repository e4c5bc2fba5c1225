#pragma once
// Helpers for the widget tests: a top-level host window, painting a window into a bitmap, and
// mouse messages as the system sends them.
#include <windows.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/WinControl.h"

namespace wtest {

// A plain top-level window to put controls on (a popup with no frame, client = bounds).
class TestHost : public TWinControl {
public:
    TestHost(int width, int height, TColor color = clWhite) {
        SetColor(color);
        SetBounds(0, 0, width, height);
        HandleNeeded();
    }
    const wchar_t* ClassName() const override { return L"TTestHost"; }
};

// The window (with its children) painted into a fresh bitmap of its size.
inline std::unique_ptr<TBitmap> Snapshot(TWinControl& window) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(window.Width(), window.Height());
    window.PaintTo(bmp->Canvas().Handle(), 0, 0);
    return bmp;
}

inline LPARAM Point(int x, int y) {
    return static_cast<LPARAM>((static_cast<unsigned>(y) << 16) | (static_cast<unsigned>(x) & 0xFFFF));
}

inline void Mouse(TWinControl& window, UINT msg, int x, int y, WPARAM keys = 0) {
    ::SendMessageW(window.Handle(), msg, keys, Point(x, y));
}

// One left click at (x, y): press and release.
inline void LeftClick(TWinControl& window, int x, int y) {
    Mouse(window, WM_MOUSEMOVE, x, y);
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, x, y);
}

// A strip of `frames` frames of frameWidth x height (plus `extra` columns at the right): frame i
// is filled with colours[i], and its left column is key (the frame's transparent colour, as its
// bottom-left pixel). The extra columns are filled with leftover.
inline std::unique_ptr<TBitmap> MakeStrip(int frameWidth, int height, int frames,
                                          const TColor* colours, TColor key, int extra = 0,
                                          TColor leftover = clBlack) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(frameWidth * frames + extra, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < bmp->Width(); ++x) {
            const int frame = x / frameWidth;
            TColor c = leftover;
            if (frame < frames) c = (x % frameWidth == 0) ? key : colours[frame];
            bmp->SetPixel(x, y, c);
        }
    return bmp;
}

// Bounding box of the pixels of one colour inside area; empty (0,0,0,0) when there are none.
inline RECT InkBox(const TBitmap& bmp, TColor colour, RECT area) {
    RECT box{0, 0, 0, 0};
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (bmp.Pixel(x, y) != colour) continue;
            if (!any) box = RECT{x, y, x + 1, y + 1};
            any = true;
            if (x < box.left) box.left = x;
            if (y < box.top) box.top = y;
            if (x + 1 > box.right) box.right = x + 1;
            if (y + 1 > box.bottom) box.bottom = y + 1;
        }
    return box;
}

inline int CountPixels(const TBitmap& bmp, TColor colour) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) == colour) ++n;
    return n;
}

inline TColor Sys(TColor system) { return static_cast<TColor>(ColorToRGB(system)); }

} // namespace wtest
