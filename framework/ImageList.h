#pragma once
// TImageList: a list of equal-sized images with masks (a system image list). AddMasked cuts the
// mask from a transparent colour; Draw paints one image through its mask, so the transparent
// pixels leave the surface as it was (ILD_TRANSPARENT).
#include <windows.h>
#include <commctrl.h>

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
    int Count() const;
    void Clear();

    // Adds the image; pixels of exactly maskColor become transparent. The bitmap is not changed.
    // Returns the new index; throws EOutOfResources when the list cannot take it.
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Draws image index with its top-left corner at (x, y); an index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index) const;
    void Draw(HDC dc, int x, int y, int index) const;

    HIMAGELIST Handle() const noexcept { return list_; }

private:
    void Recreate();

    int width_;
    int height_;
    HIMAGELIST list_ = nullptr;
};
