#pragma once
// TBitmap: a picture held in a 32-bit top-down DIB section, with a canvas, a change notice and
// a transparent colour.
//
// Width and height are set one at a time; the pixels are only made once both are non-zero, and a
// size that cannot be made (negative, or out of resources) throws EOutOfResources at the setter
// that completes it, leaving the other value as it was. Every change of the content (size,
// Assign, loading, drawing on the canvas, SetPixel) fires OnChange; Dormant does not.
//
// The transparent colour is the bottom-left pixel unless one was set (TransparentMode tmFixed).
// Drawing a bitmap marked Transparent leaves out the pixels of exactly that colour.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Canvas.h"
#include "framework/Exception.h"

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

enum TPixelFormat : std::uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode : std::uint8_t { tmAuto, tmFixed };

class TBitmap : public TPersistent {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    const wchar_t* ClassName() const override { return L"TBitmap"; }
    // Copies another bitmap's pixels, size, pixel format and transparency; nothing empties it.
    void Assign(const TPersistent* Source) override;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetWidth(int value);
    void SetHeight(int value);
    void SetSize(int width, int height);
    // True while there are no pixels (either side is 0).
    bool Empty() const noexcept { return dib_ == nullptr; }

    // The format the picture came in (or was set to); the pixels are always kept at 32 bits.
    TPixelFormat PixelFormat() const noexcept { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat value) noexcept { pixelFormat_ = value; }

    TCanvas& Canvas();
    // The DIB section (nullptr while empty).
    HBITMAP Handle() const noexcept { return dib_; }

    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    TTransparentMode TransparentMode() const noexcept { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);
    // The bottom-left pixel (tmAuto) or the colour set (tmFixed); clNone for an empty bitmap.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);

    // Loads a bitmap resource of the executable (or of module) by name or by number.
    void LoadFromResourceName(HINSTANCE module, const wchar_t* name);
    void LoadFromResourceID(HINSTANCE module, int id);
    void LoadFromFile(const std::wstring& fileName);
    void SaveToFile(const std::wstring& fileName) const;

    // Gives up the device context of the canvas; the pixels stay.
    void Dormant();
    void FreeImage() { Dormant(); }

    // Direct pixel access: colours as TColor (0x00BBGGRR). Outside the picture: clNone / nothing.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Row y as 0x00RRGGBB values, left to right (no change notice: call Modified() after).
    std::uint32_t* ScanLine(int y);
    const std::uint32_t* ScanLine(int y) const;
    void Modified() { Changed(); }

    // Draws the picture into dest on dc: at its size or scaled (nearest pixel), leaving out the
    // transparent colour if marked Transparent.
    void DrawTo(HDC dc, const RECT& dest);
    // A DC that has this bitmap selected, for blitting from it: the canvas DC if there is one,
    // otherwise a shared scratch DC that SourceDC's guard gives back when it ends.
    class SourceDC {
    public:
        explicit SourceDC(const TBitmap& bitmap);
        ~SourceDC();
        SourceDC(const SourceDC&) = delete;
        SourceDC& operator=(const SourceDC&) = delete;
        HDC Get() const noexcept { return dc_; }

    private:
        HDC dc_ = nullptr;
        HGDIOBJ previous_ = nullptr;
    };

    TNotifyEvent OnChange;

private:
    class BitmapCanvas;
    friend class BitmapCanvas;
    void Resize(int width, int height);
    void AdoptPixels(int width, int height, const std::uint32_t* pixels, int srcStride);
    void LoadFromHandle(HBITMAP source);
    void Changed();

    int width_ = 0;
    int height_ = 0;
    HBITMAP dib_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    TPixelFormat pixelFormat_ = pfDevice;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<BitmapCanvas> canvas_;
};
