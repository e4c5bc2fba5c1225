#include "framework/ImageList.h"

#include <cstring>

TImageList::TImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), width_(width), height_(height), images_(std::make_unique<TBitmap>()),
      masks_(std::make_unique<TBitmap>()) {}

TImageList::~TImageList() = default;

void TImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Clear();
}

void TImageList::Clear() {
    count_ = 0;
    images_->SetSize(0, 0);
    masks_->SetSize(0, 0);
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (width_ <= 0 || height_ <= 0) throw EOutOfResources(L"Out of system resources");
    // Grow both strips by one frame (the old frames are kept by the resize).
    images_->SetSize(width_ * (count_ + 1), height_);
    masks_->SetSize(width_ * (count_ + 1), height_);
    const COLORREF key = ColorToRGB(maskColor);
    const std::uint32_t keyPixel = (static_cast<std::uint32_t>(GetRValue(key)) << 16) |
                                   (static_cast<std::uint32_t>(GetGValue(key)) << 8) | GetBValue(key);
    const int x0 = width_ * count_;
    for (int y = 0; y < height_; ++y) {
        std::uint32_t* picture = images_->ScanLine(y) + x0;
        std::uint32_t* mask = masks_->ScanLine(y) + x0;
        const std::uint32_t* src = y < image.Height() ? image.ScanLine(y) : nullptr;
        for (int x = 0; x < width_; ++x) {
            const bool inside = src && x < image.Width();
            const std::uint32_t p = inside ? (src[x] & 0x00FFFFFFu) : keyPixel;
            const bool transparent = p == keyPixel;
            picture[x] = transparent ? 0u : p;
            mask[x] = transparent ? 0x00FFFFFFu : 0u;
        }
    }
    return count_++;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    Draw(canvas.Handle(), x, y, index);
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
    if (!dc || index < 0 || index >= count_) return;
    const int sx = index * width_;
    {
        TBitmap::SourceDC mask(*masks_);
        ::BitBlt(dc, x, y, width_, height_, mask.Get(), sx, 0, SRCAND);
    }
    TBitmap::SourceDC picture(*images_);
    ::BitBlt(dc, x, y, width_, height_, picture.Get(), sx, 0, SRCPAINT);
}
