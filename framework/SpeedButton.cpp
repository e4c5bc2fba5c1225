#include "framework/SpeedButton.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    glyph_.OnChange = [this](TObject*) {
        if (!glyph_.Transparent()) glyph_.SetTransparent(true);
        Invalidate();
    };
}

void TSpeedButton::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    if (spacing_ == value) return;
    spacing_ = value;
    Invalidate();
}

void TSpeedButton::MouseEnter() {
    TGraphicControl::MouseEnter();
    if (!Enabled() || mouseInside_) return;
    mouseInside_ = true;
    if (flat_) Repaint();
}

void TSpeedButton::MouseLeave() {
    TGraphicControl::MouseLeave();
    if (!mouseInside_) return;
    mouseInside_ = false;
    Repaint();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == TMouseButton::mbLeft && Enabled()) {
        pressed_ = true;
        mouseInside_ = true;
        Repaint();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    if (pressed_) {
        const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (inside != mouseInside_) {
            mouseInside_ = inside;
            Repaint();
        }
    }
    TGraphicControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == TMouseButton::mbLeft && pressed_) {
        pressed_ = false;
        Repaint();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::TextChanged() {
    TGraphicControl::TextChanged();
    Invalidate();
}

void TSpeedButton::EnabledChanged() {
    TGraphicControl::EnabledChanged();
    if (!Enabled()) {
        pressed_ = false;
        mouseInside_ = false;
    }
    Invalidate();
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    RECT rect = ClientRect();
    const bool down = Pressed();
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(rect);
    }
    HDC dc = canvas.Handle();
    if (down)
        ::DrawEdge(dc, &rect, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat_)
        ::DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
    else if (mouseInside_ && Enabled())
        ::DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);

    // Glyph and caption side by side, the pair centred; pressed, both move one pixel.
    canvas.Font().Assign(&Font());
    const std::wstring& text = Caption();
    const SIZE textSize = text.empty() ? SIZE{0, 0} : canvas.TextExtent(text);
    const int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width();
    const int gap = glyphWidth > 0 && textSize.cx > 0 ? spacing_ : 0;
    const int shift = down ? 1 : 0;
    int x = (Width() - (glyphWidth + gap + textSize.cx)) / 2 + shift;
    if (glyphWidth > 0) {
        canvas.Draw(x, (Height() - glyph_.Height()) / 2 + shift, glyph_);
        x += glyphWidth + gap;
    }
    if (!text.empty()) {
        canvas.SetBkMode(TRANSPARENT);
        RECT textRect{x, (Height() - textSize.cy) / 2 + shift, x + textSize.cx,
                      (Height() - textSize.cy) / 2 + shift + textSize.cy};
        if (!Enabled()) canvas.Font().SetColor(clGrayText);
        canvas.DrawText(text.c_str(), static_cast<int>(text.size()), textRect,
                        DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
}
