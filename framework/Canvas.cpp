#include "framework/Canvas.h"

#include "framework/Bitmap.h"

TCanvas::TCanvas() {
    // Let go of a GDI object before its owner deletes it.
    font_.OnChange = [this](TObject*) { ReleaseFont(); };
    pen_.OnChange = [this](TObject*) { ReleasePen(); };
}

TCanvas::~TCanvas() { Deselect(); }

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Deselect();
    dc_ = dc;
}

void TCanvas::Deselect() {
    ReleaseFont();
    ReleasePen();
}

void TCanvas::ReleaseFont() {
    if (dc_ && selectedFont_) ::SelectObject(dc_, originalFont_);
    selectedFont_ = nullptr;
    originalFont_ = nullptr;
}

void TCanvas::ReleasePen() {
    if (dc_ && selectedPen_) ::SelectObject(dc_, originalPen_);
    selectedPen_ = nullptr;
    originalPen_ = nullptr;
}

void TCanvas::RequireFont(HDC dc) {
    HFONT font = font_.Handle();
    if (font != selectedFont_) {
        HGDIOBJ old = ::SelectObject(dc, font);
        if (!selectedFont_) originalFont_ = old;
        selectedFont_ = font;
    }
    ::SetTextColor(dc, ColorToRGB(font_.Color()));
}

void TCanvas::RequirePen(HDC dc) {
    HPEN pen = pen_.Handle();
    if (pen != selectedPen_) {
        HGDIOBJ old = ::SelectObject(dc, pen);
        if (!selectedPen_) originalPen_ = old;
        selectedPen_ = pen;
    }
    if (pen_.UsesDCPen()) ::SetDCPenColor(dc, ColorToRGB(pen_.Color()));
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::FillRect(const RECT& rect) {
    HDC dc = Handle();
    if (!dc || brush_.Style() == bsClear) return;
    ::SetDCBrushColor(dc, ColorToRGB(brush_.Color()));
    ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    Changed();
}

void TCanvas::FrameRect(const RECT& rect) {
    HDC dc = Handle();
    if (!dc || brush_.Style() == bsClear) return;
    ::SetDCBrushColor(dc, ColorToRGB(brush_.Color()));
    ::FrameRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    if (HDC dc = Handle()) ::MoveToEx(dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    HDC dc = Handle();
    if (!dc) return;
    RequirePen(dc);
    ::LineTo(dc, x, y);
    Changed();
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    HDC dc = Handle();
    if (!dc || bitmap.Empty()) return;
    bitmap.DrawTo(dc, RECT{x, y, x + bitmap.Width(), y + bitmap.Height()});
    Changed();
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
    HDC dc = Handle();
    if (!dc || bitmap.Empty()) return;
    bitmap.DrawTo(dc, rect);
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& srcRect) {
    HDC dc = Handle();
    HDC src = source.Handle();
    if (!dc || !src) return;
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
    if (dw == sw && dh == sh) {
        ::BitBlt(dc, dest.left, dest.top, dw, dh, src, srcRect.left, srcRect.top, copyMode_);
    } else {
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, dest.left, dest.top, dw, dh, src, srcRect.left, srcRect.top, sw, sh,
                     copyMode_);
        ::SetStretchBltMode(dc, oldMode);
    }
    Changed();
}

void TCanvas::CopyBlock(int x, int y, int width, int height, HDC source, int srcX, int srcY) {
    HDC dc = Handle();
    if (!dc || !source) return;
    ::BitBlt(dc, x, y, width, height, source, srcX, srcY, SRCCOPY);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    HDC dc = Handle();
    if (!dc) return;
    RequireFont(dc);
    if (brush_.Style() == bsClear) {
        ::SetBkMode(dc, TRANSPARENT);
    } else {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ColorToRGB(brush_.Color()));
    }
    ::ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

int TCanvas::DrawText(const wchar_t* text, int length, RECT& rect, UINT format) {
    HDC dc = Handle();
    if (!dc) return 0;
    RequireFont(dc);
    const int height = ::DrawTextW(dc, text, length, &rect, format);
    if (!(format & DT_CALCRECT)) Changed();
    return height;
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE size{};
    HDC dc = Handle();
    if (!dc) return size;
    RequireFont(dc);
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::SetBkMode(int mode) {
    if (HDC dc = Handle()) ::SetBkMode(dc, mode);
}

TColor TCanvas::Pixel(int x, int y) {
    HDC dc = Handle();
    if (!dc) return clNone;
    ::GdiFlush();
    const COLORREF c = ::GetPixel(dc, x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    HDC dc = Handle();
    if (!dc) return;
    ::SetPixelV(dc, x, y, ColorToRGB(color));
    Changed();
}
