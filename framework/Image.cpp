#include "framework/Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    picture_.SetTransparent(value);
    Invalidate();
}

void TImage::PictureChanged() {
    // A picture loaded anew keeps the control's transparency setting.
    if (picture_.Transparent() != transparent_) picture_.SetTransparent(transparent_);
    AdjustSize();
    Invalidate();
}

void TImage::Paint() {
    if (!picture_.Empty()) Canvas().Draw(0, 0, picture_);
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
    if (picture_.Empty()) return false;
    NewWidth = picture_.Width();
    NewHeight = picture_.Height();
    return true;
}
