#pragma once
// TSpeedButton: a push button without a window of its own, so it never takes the keyboard focus.
// Its glyph (a picture whose bottom-left pixel colour is left out) sits left of the caption, the
// two centred together. Flat: the border shows only while the mouse is over the button or it is
// pressed. With Transparent off the face is filled with the button's colour first.
#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TSpeedButton"; }

    TBitmap& Glyph() noexcept { return glyph_; }
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool value);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    // Gap in pixels between glyph and caption.
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value);

    // Pressed look: the left button went down on it and the pointer is over it.
    bool Pressed() const noexcept { return pressed_ && mouseInside_; }
    bool MouseInside() const noexcept { return mouseInside_; }

    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void TextChanged() override;
    void EnabledChanged() override;

private:
    TBitmap glyph_;
    bool flat_ = false;
    bool transparent_ = true;
    bool pressed_ = false;
    bool mouseInside_ = false;
    int spacing_ = 4;
};
