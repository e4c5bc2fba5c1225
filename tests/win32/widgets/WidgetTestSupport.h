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

} // namespace wtest
