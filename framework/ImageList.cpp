#include "framework/ImageList.h"

#include <cstring>

TImageList::TImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), width_(width), height_(height) {
    Recreate();
}

TImageList::~TImageList() {
    if (list_) ::ImageList_Destroy(list_);
}

void TImageList::Recreate() {
    if (list_) ::ImageList_Destroy(list_);
    list_ = nullptr;
    if (width_ > 0 && height_ > 0)
        list_ = ::ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
}

void TImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Recreate();
}

int TImageList::Count() const { return list_ ? ::ImageList_GetImageCount(list_) : 0; }

void TImageList::Clear() {
    if (list_) ::ImageList_Remove(list_, -1);
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (!list_) throw EOutOfResources(L"Out of system resources");
    // The system call blackens the transparent pixels of the bitmap it is given, and the bitmap
    // must not sit in a DC: hand it a private copy.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = image.Width();
    bi.bmiHeader.biHeight = -image.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy) throw EOutOfResources(L"Out of system resources");
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(static_cast<std::uint32_t*>(bits) + static_cast<size_t>(y) * image.Width(),
                    image.ScanLine(y), static_cast<size_t>(image.Width()) * 4);
    const int index = ::ImageList_AddMasked(list_, copy, ColorToRGB(maskColor));
    ::DeleteObject(copy);
    if (index < 0) throw EOutOfResources(L"Out of system resources");
    return index;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    Draw(canvas.Handle(), x, y, index);
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
    if (!list_ || !dc || index < 0 || index >= Count()) return;
    ::ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}
