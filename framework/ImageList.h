#pragma once
// TImageList: a list of equal-sized images with masks. AddMasked cuts the mask from a
// transparent colour; Draw paints one image through its mask, so its transparent pixels leave
// the surface as it was (the ILD_TRANSPARENT drawing of system image lists).
//
// The images live in two bitmaps of our own, side by side: the pictures with their transparent
// pixels black, and the masks (white where transparent, black where opaque). Drawing is two
// block copies (mask AND, picture OR) through the shared source DC, so it makes no GDI object
// and allocates nothing.
#include <memory>

#include "framework/Bitmap.h"
#include "framework/Component.h"

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner = nullptr, int width = 16, int height = 16);
    ~TImageList() override;

    const wchar_t* ClassName() const override { return L"TImageList"; }

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // Changing the frame size empties the list.
    void SetSize(int width, int height);
    int Count() const noexcept { return count_; }
    void Clear();

    // Adds the image (its top-left Width x Height part); pixels of exactly maskColor become
    // transparent. The bitmap is not changed. Returns the new index; throws EOutOfResources when
    // the list cannot take it (a frame size of 0, or no memory).
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Draws image index with its top-left corner at (x, y); an index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index) const;
    void Draw(HDC dc, int x, int y, int index) const;

private:
    int width_;
    int height_;
    int count_ = 0;
    std::unique_ptr<TBitmap> images_;
    std::unique_ptr<TBitmap> masks_;
};
