#pragma once
// TGraphicControl: a control without a window of its own. Its parent window paints it in the
// parent's paint cycle (Paint, with Canvas on the parent's DC and the origin at the control's
// top-left corner, clipped to the control) and passes it the mouse input over its rectangle.
//
// Style flags: csOpaque (off by default) says the control covers its whole rectangle, so the
// parent need not repaint its background under it; csDoubleClicks (on by default) says the
// control takes double clicks; without it the second press of a double click arrives as an
// ordinary press.
#include "framework/Canvas.h"
#include "framework/Control.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TGraphicControl"; }

    TCanvas& Canvas() noexcept { return canvas_; }
    // Paints the control on dc, whose origin is already at the control's top-left corner.
    void PaintOn(HDC dc);

protected:
    virtual void Paint() {}

private:
    TCanvas canvas_;
};
