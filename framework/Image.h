#pragma once
// TImage: a picture drawn by its parent window. With Transparent on, the pixels of the picture's
// transparent colour (its bottom-left pixel) let the parent show through; with AutoSize on, the
// control takes the picture's size.
#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TImage"; }

    TBitmap& Picture() noexcept { return picture_; }
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged();

    TBitmap picture_;
    bool transparent_ = false;
};
