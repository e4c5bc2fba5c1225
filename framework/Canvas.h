#pragma once
// TCanvas: a drawing surface over a device context with a pen, a brush and a font.
//
// The canvas selects its font and pen into the DC when a drawing call needs them and restores
// the DC's own objects when the DC is let go (SetHandle(nullptr)), so one canvas can be pointed
// at a new DC for every paint without creating anything: the brush is the DC brush, one-pixel
// pens are the DC pen, and the font's GDI object is made once per font change.
//
// A canvas of a bitmap reports every drawing call through OnChange (the bitmap's change notice).
#include <windows.h>

#include <string>

#include "framework/Font.h"

class TBitmap;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    const wchar_t* ClassName() const override { return L"TCanvas"; }

    // The DC; a bitmap's canvas makes its memory DC here on first use.
    HDC Handle();
    bool HandleAllocated() const noexcept { return dc_ != nullptr; }
    // Points the canvas at another DC (nullptr: none); the previous DC gets its objects back.
    void SetHandle(HDC dc);

    TFont& Font() noexcept { return font_; }
    TPen& Pen() noexcept { return pen_; }
    TBrush& Brush() noexcept { return brush_; }

    // Fills the rectangle with the brush (nothing with a clear brush).
    void FillRect(const RECT& rect);
    // Draws a one-pixel frame in the brush colour.
    void FrameRect(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // The bitmap at its natural size; a bitmap marked Transparent leaves out its transparent colour.
    void Draw(int x, int y, TBitmap& bitmap);
    // The bitmap scaled into the rectangle; on displays deeper than 8 bits per pixel the scaling
    // picks the nearest pixel (COLORONCOLOR), with no smoothing.
    void StretchDraw(const RECT& rect, TBitmap& bitmap);
    // Copies srcRect of another canvas into dest (scaled if the sizes differ), with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& srcRect);
    // Opaque block copy from another DC (BitBlt SRCCOPY).
    void CopyBlock(int x, int y, int width, int height, HDC source, int srcX, int srcY);

    void TextOut(int x, int y, const std::wstring& text);
    // DrawTextW with the canvas font and font colour. With DT_CALCRECT only measures.
    int DrawText(const wchar_t* text, int length, RECT& rect, UINT format);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    // TRANSPARENT or OPAQUE background behind text.
    void SetBkMode(int mode);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    DWORD CopyMode() const noexcept { return copyMode_; }
    void SetCopyMode(DWORD rop) noexcept { copyMode_ = rop; }

    // Fired after every drawing call.
    TNotifyEvent OnChange;

protected:
    // Called when Handle() is asked for while no DC is set; a bitmap's canvas makes one here.
    virtual void CreateHandle() {}
    void Changed();

private:
    void RequireFont(HDC dc);
    void RequirePen(HDC dc);
    void ReleaseFont();
    void ReleasePen();
    void Deselect();

    HDC dc_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    DWORD copyMode_ = SRCCOPY;
    HFONT selectedFont_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    HPEN selectedPen_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
};
