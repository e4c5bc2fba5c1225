#include "framework/Label.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TLabel::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT rect = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(rect);
    }
    canvas.Font().Assign(&Font());
    canvas.SetBkMode(TRANSPARENT);
    const std::wstring& text = Caption();
    canvas.DrawText(text.c_str(), static_cast<int>(text.size()), rect, kTextFormat);
}

bool TLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    // Measured on the screen with the label's font; an empty caption measures as one blank, so
    // the label keeps the height of a line.
    const std::wstring text = Caption().empty() ? std::wstring(L" ") : Caption();
    HDC dc = ::GetDC(nullptr);
    if (!dc) return false;
    HGDIOBJ previous = ::SelectObject(dc, Font().Handle());
    RECT rect{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat | DT_CALCRECT);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    NewWidth = rect.right - rect.left;
    NewHeight = rect.bottom - rect.top;
    return true;
}

void TLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
    Invalidate();
}
