#include "framework/Bitmap.h"

#include <cstring>
#include <cwchar>

namespace {

// One memory DC for the whole process, used to select a bitmap that has no canvas DC of its own
// while it is blitted from. Made once, never per paint.
HDC ScratchDC() {
    static HDC dc = ::CreateCompatibleDC(nullptr);
    return dc;
}

HBITMAP CreateDib(int width, int height, std::uint32_t** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* raw = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
    *bits = static_cast<std::uint32_t*>(raw);
    return dib;
}

std::uint32_t ToPixel(TColor c) {
    const COLORREF rgb = ColorToRGB(c);
    return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

TColor FromPixel(std::uint32_t p) {
    return MakeColor(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                     static_cast<std::uint8_t>(p));
}

} // namespace

// The canvas of a bitmap: makes its memory DC with the bitmap selected on first use, and turns
// every drawing call into the bitmap's change notice.
class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {
        OnChange = [this](TObject*) { owner_.Changed(); };
    }
    ~BitmapCanvas() override { FreeDC(); }

    void FreeDC() {
        HDC dc = HandleAllocated() ? Handle() : nullptr;
        if (!dc) return;
        SetHandle(nullptr);
        ::SelectObject(dc, stockBitmap_);
        stockBitmap_ = nullptr;
        ::DeleteDC(dc);
    }
    // The bitmap's DIB changed: select the new one into the DC.
    void Reselect() {
        if (!HandleAllocated()) return;
        ::SelectObject(Handle(), owner_.dib_ ? static_cast<HGDIOBJ>(owner_.dib_) : stockBitmap_);
    }
    // Selects the DC's own bitmap back so the DIB can be deleted or read.
    void Unselect() {
        if (!HandleAllocated()) return;
        ::SelectObject(Handle(), stockBitmap_);
    }

protected:
    void CreateHandle() override {
        HDC dc = ::CreateCompatibleDC(nullptr);
        if (!dc) throw EOutOfResources(L"Out of system resources");
        stockBitmap_ = ::GetCurrentObject(dc, OBJ_BITMAP);
        SetHandle(dc);
        Reselect();
    }

private:
    TBitmap& owner_;
    HGDIOBJ stockBitmap_ = nullptr; // the 1x1 bitmap a new memory DC comes with
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    canvas_.reset();
    if (dib_) ::DeleteObject(dib_);
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

void TBitmap::Resize(int width, int height) {
    HBITMAP dib = nullptr;
    std::uint32_t* bits = nullptr;
    if (width != 0 && height != 0) {
        if (width < 0 || height < 0) throw EOutOfResources(L"Out of system resources");
        dib = CreateDib(width, height, &bits);
        if (!dib) throw EOutOfResources(L"Out of system resources");
        ::GdiFlush();
        if (bits_) { // keep the part of the old picture that still fits
            const int w = width < width_ ? width : width_;
            const int h = height < height_ ? height : height_;
            for (int y = 0; y < h; ++y)
                std::memcpy(bits + static_cast<size_t>(y) * width,
                            bits_ + static_cast<size_t>(y) * width_, static_cast<size_t>(w) * 4);
        }
    }
    if (canvas_) canvas_->Unselect();
    if (dib_) ::DeleteObject(dib_);
    dib_ = dib;
    bits_ = bits;
    width_ = width;
    height_ = height;
    if (canvas_) canvas_->Reselect();
}

void TBitmap::SetWidth(int value) {
    if (value == width_) return;
    Resize(value, height_);
    Changed();
}

void TBitmap::SetHeight(int value) {
    if (value == height_) return;
    Resize(width_, value);
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    Resize(width, height);
    Changed();
}

void TBitmap::AdoptPixels(int width, int height, const std::uint32_t* pixels, int srcStride) {
    Resize(0, 0);
    Resize(width, height);
    if (bits_ && pixels)
        for (int y = 0; y < height; ++y)
            std::memcpy(bits_ + static_cast<size_t>(y) * width,
                        pixels + static_cast<size_t>(y) * srcStride, static_cast<size_t>(width) * 4);
}

void TBitmap::Assign(const TPersistent* Source) {
    if (!Source) { // assigning nothing empties the picture
        Resize(0, 0);
        transparent_ = false;
        Changed();
        return;
    }
    const auto* src = dynamic_cast<const TBitmap*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    ::GdiFlush();
    AdoptPixels(src->width_, src->height_, src->bits_, src->width_);
    width_ = src->width_; // keeps a stored size of an empty source (e.g. width without height)
    height_ = src->height_;
    pixelFormat_ = src->pixelFormat_;
    transparent_ = src->transparent_;
    transparentMode_ = src->transparentMode_;
    transparentColor_ = src->transparentColor_;
    Changed();
}

void TBitmap::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == transparentMode_) return;
    transparentMode_ = value;
    if (value == tmAuto) transparentColor_ = clDefault;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clNone;
    return Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    if (transparentMode_ == tmFixed && value == transparentColor_) return;
    transparentColor_ = value;
    transparentMode_ = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::LoadFromHandle(HBITMAP source) {
    BITMAP info{};
    if (!::GetObjectW(source, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0)
        throw EInvalidGraphic(L"Bitmap image is not valid");
    const int w = info.bmWidth;
    const int h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    Resize(0, 0);
    Resize(w, h);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    if (canvas_) canvas_->Unselect(); // GetDIBits wants the target free of any DC
    const int rows = ::GetDIBits(screen, source, 0, static_cast<UINT>(h), bits_, &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (canvas_) canvas_->Reselect();
    if (rows != h) throw EInvalidGraphic(L"Bitmap image is not valid");
    switch (info.bmBitsPixel) {
    case 1: pixelFormat_ = pf1bit; break;
    case 4: pixelFormat_ = pf4bit; break;
    case 8: pixelFormat_ = pf8bit; break;
    case 16: pixelFormat_ = pf16bit; break;
    case 24: pixelFormat_ = pf24bit; break;
    case 32: pixelFormat_ = pf32bit; break;
    default: pixelFormat_ = pfDevice; break;
    }
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const wchar_t* name) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    HBITMAP loaded = static_cast<HBITMAP>(
        ::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!loaded) {
        std::wstring text = L"Resource ";
        if (IS_INTRESOURCE(name))
            text += std::to_wstring(reinterpret_cast<ULONG_PTR>(name));
        else
            text += name;
        throw EResNotFound(text + L" not found");
    }
    try {
        LoadFromHandle(loaded);
    } catch (...) {
        ::DeleteObject(loaded);
        throw;
    }
    ::DeleteObject(loaded);
    Changed();
}

void TBitmap::LoadFromResourceID(HINSTANCE module, int id) {
    LoadFromResourceName(module, MAKEINTRESOURCEW(id));
}

void TBitmap::LoadFromFile(const std::wstring& fileName) {
    HBITMAP loaded = static_cast<HBITMAP>(::LoadImageW(
        nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    if (!loaded) throw EInvalidGraphic(L"Cannot load " + fileName);
    try {
        LoadFromHandle(loaded);
    } catch (...) {
        ::DeleteObject(loaded);
        throw;
    }
    ::DeleteObject(loaded);
    Changed();
}

void TBitmap::SaveToFile(const std::wstring& fileName) const {
    // 24-bit bottom-up BMP, the usual file layout.
    const int stride = ((width_ * 3) + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = width_;
    ih.biHeight = height_;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(stride * height_);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    HANDLE file = ::CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw EInvalidGraphic(L"Cannot write " + fileName);
    DWORD written = 0;
    bool ok = ::WriteFile(file, &fh, sizeof(fh), &written, nullptr) &&
              ::WriteFile(file, &ih, sizeof(ih), &written, nullptr);
    ::GdiFlush();
    std::string row(static_cast<size_t>(stride), '\0');
    for (int y = height_ - 1; ok && y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
            row[static_cast<size_t>(x) * 3] = static_cast<char>(p & 0xFF);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
        ok = ::WriteFile(file, row.data(), static_cast<DWORD>(stride), &written, nullptr);
    }
    ::CloseHandle(file);
    if (!ok) throw EInvalidGraphic(L"Cannot write " + fileName);
}

void TBitmap::Dormant() {
    if (canvas_) canvas_->FreeDC();
}

TColor TBitmap::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    ::GdiFlush();
    return FromPixel(bits_[static_cast<size_t>(y) * width_ + x] & 0x00FFFFFFu);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    ::GdiFlush();
    bits_[static_cast<size_t>(y) * width_ + x] = ToPixel(color);
    Changed();
}

std::uint32_t* TBitmap::ScanLine(int y) {
    if (!bits_ || y < 0 || y >= height_) return nullptr;
    ::GdiFlush();
    return bits_ + static_cast<size_t>(y) * width_;
}

const std::uint32_t* TBitmap::ScanLine(int y) const {
    if (!bits_ || y < 0 || y >= height_) return nullptr;
    ::GdiFlush();
    return bits_ + static_cast<size_t>(y) * width_;
}

void TBitmap::DrawTo(HDC dc, const RECT& dest) {
    if (Empty()) return;
    SourceDC src(*this);
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    if (transparent_) {
        ::GdiTransparentBlt(dc, dest.left, dest.top, dw, dh, src.Get(), 0, 0, width_, height_,
                            ColorToRGB(TransparentColor()));
        return;
    }
    if (dw == width_ && dh == height_) {
        ::BitBlt(dc, dest.left, dest.top, dw, dh, src.Get(), 0, 0, SRCCOPY);
        return;
    }
    int oldMode = 0;
    const bool deep = ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES) > 8;
    if (deep) oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, dest.left, dest.top, dw, dh, src.Get(), 0, 0, width_, height_, SRCCOPY);
    if (deep) ::SetStretchBltMode(dc, oldMode);
}

TBitmap::SourceDC::SourceDC(const TBitmap& bitmap) {
    if (bitmap.canvas_ && bitmap.canvas_->HandleAllocated()) {
        dc_ = bitmap.canvas_->Handle();
        return;
    }
    dc_ = ScratchDC();
    previous_ = ::SelectObject(dc_, bitmap.dib_);
}

TBitmap::SourceDC::~SourceDC() {
    if (previous_) ::SelectObject(dc_, previous_);
}
