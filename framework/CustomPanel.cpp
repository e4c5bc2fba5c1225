#include "framework/CustomPanel.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                    csDoubleClicks | csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::InsetsChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0) value = 0;
    if (value == borderWidth_) return;
    borderWidth_ = value;
    InsetsChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value == bevelOuter_) return;
    bevelOuter_ = value;
    InsetsChanged();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value == bevelInner_) return;
    bevelInner_ = value;
    InsetsChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1) value = 1;
    if (value == bevelWidth_) return;
    bevelWidth_ = value;
    InsetsChanged();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& Rect) const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    ::InflateRect(&Rect, -inset, -inset);
}

void TCustomPanel::BoundsChanged(const RECT& oldBounds) {
    TWinControl::BoundsChanged(oldBounds);
    const bool resized =
        oldBounds.right - oldBounds.left != Width() || oldBounds.bottom - oldBounds.top != Height();
    if (resized && fullRepaint_) Invalidate();
}

void TCustomPanel::TextChanged() {
    TWinControl::TextChanged();
    Invalidate();
}

void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int n) {
    HDC dc = canvas.Handle();
    if (!dc) return;
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
    const COLORREF top = ColorToRGB(topColor);
    const COLORREF bottom = ColorToRGB(bottomColor);
    for (int i = 0; i < n; ++i) {
        const int x0 = rect.left, y0 = rect.top, x1 = rect.right - 1, y1 = rect.bottom - 1;
        ::SetDCBrushColor(dc, top);
        RECT column{x0, y0, x0 + 1, y1};     // rows y0 .. y1 - 1
        RECT row{x0, y0, x1, y0 + 1};        // columns x0 .. x1 - 1
        ::FillRect(dc, &column, brush);
        ::FillRect(dc, &row, brush);
        ::SetDCBrushColor(dc, bottom);
        RECT rightColumn{x1, y0, x1 + 1, y1 + 1}; // rows y0 .. y1
        RECT bottomRow{x0, y1, x1 + 1, y1 + 1};   // columns x0 .. x1
        ::FillRect(dc, &rightColumn, brush);
        ::FillRect(dc, &bottomRow, brush);
        ::InflateRect(&rect, -1, -1);
    }
}

void TCustomPanel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (bevelOuter_ != bvNone)
        Frame3D(canvas, r, bevelOuter_ == bvLowered ? clBtnShadow : clBtnHighlight,
                bevelOuter_ == bvLowered ? clBtnHighlight : clBtnShadow, bevelWidth_);
    Frame3D(canvas, r, Color(), Color(), borderWidth_);
    if (bevelInner_ != bvNone)
        Frame3D(canvas, r, bevelInner_ == bvLowered ? clBtnShadow : clBtnHighlight,
                bevelInner_ == bvLowered ? clBtnHighlight : clBtnShadow, bevelWidth_);
    if (Caption().empty()) return;
    canvas.Font().Assign(&Font());
    canvas.SetBkMode(TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    format |= alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
    canvas.DrawText(Caption().c_str(), -1, r, format);
}
