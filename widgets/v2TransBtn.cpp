#include "widgets/v2TransBtn.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TColor BorderTColor(btn::BorderColor c) {
    switch (c) {
    case btn::bcHighlight: return clBtnHighlight;
    case btn::bcShadow: return clBtnShadow;
    case btn::bcFace: return clBtnFace;
    case btn::bcDarkShadow: return cl3DDkShadow;
    case btn::bcBlack: return clBlack;
    case btn::bcLightGrey: return MakeColor(223, 223, 223);
    }
    return clBlack;
}

std::uint32_t ToPixel(TColor c) {
    const COLORREF rgb = ColorToRGB(c);
    return (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) | GetBValue(rgb);
}

} // namespace

TV2TransparentButton::TV2TransparentButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() & ~(csOpaque | csDoubleClicks));
    SetBounds(0, 0, 40, 40);
    glyphList_ = std::make_unique<TImageList>(nullptr, 40, 40);
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

TV2TransparentButton::~TV2TransparentButton() {
    glyph_.reset();
    glyphList_.reset();
}

// ---- properties ----

void TV2TransparentButton::SetAutoGray(bool value) {
    if (value == autoGray_) return;
    autoGray_ = value;
    Invalidate();
}

void TV2TransparentButton::SetBorderWidth(unsigned value) {
    if (value == borderWidth_) return;
    borderWidth_ = value;
    Invalidate();
}

void TV2TransparentButton::SetCaption(const std::wstring& value) {
    if (value == caption_) return;
    caption_ = value;
    Invalidate();
}

void TV2TransparentButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    pressed_ = value;
    Repaint();
}

void TV2TransparentButton::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    Invalidate();
}

void TV2TransparentButton::SetFrameStyle(TV2FrameStyle value) {
    if (value == frameStyle_) return;
    frameStyle_ = value;
    Invalidate();
}

void TV2TransparentButton::SetGlyph(const TBitmap* value) {
    if (value == glyph_.get()) {
        GlyphChanged(); // copying a bitmap onto itself changes nothing, but the cut runs
        return;
    }
    glyph_->Assign(value); // the change notice runs GlyphChanged
}

void TV2TransparentButton::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_) return;
    numGlyphs_ = static_cast<TNumGlyphs>(value);
    Invalidate();
}

void TV2TransparentButton::SetDropDownMenu(TPopupMenu* value) {
    if (value == dropDownMenu_) return;
    if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
    dropDownMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TV2TransparentButton::SetSpacing(int value) {
    if (value == spacing_) return;
    spacing_ = value;
    Invalidate();
}

void TV2TransparentButton::SetTextAlign(TV2TextAlign value) {
    if (value == textAlign_) return;
    textAlign_ = value;
    Invalidate();
}

void TV2TransparentButton::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}

void TV2TransparentButton::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    Invalidate();
}

bool TV2TransparentButton::PointInButton(int X, int Y) const {
    return X >= 0 && X < Width() && Y >= 0 && Y < Height();
}

btn::ButtonState TV2TransparentButton::State() const {
    btn::ButtonState s;
    s.enabled = Enabled();
    s.mouseInside = mouseInside_;
    s.pressed = pressed_;
    s.down = down_;
    return s;
}

// ---- the glyph strip ----

void TV2TransparentButton::GlyphChanged() {
    Invalidate();
    const int n = btn::FrameCountForStrip(glyph_->Width(), glyph_->Height());
    if (n == 0) return; // an empty strip leaves the count and the cut frames as they were
    if (n != numGlyphs_) {
        numGlyphs_ = static_cast<TNumGlyphs>(n);
        Invalidate();
    }
    BuildGlyphList();
}

void TV2TransparentButton::BuildGlyphList() {
    if (glyph_->Empty()) return;
    glyphList_->Clear();
    const int fw = btn::FrameWidth(glyph_->Width(), numGlyphs_);
    const int fh = glyph_->Height();
    glyphList_->SetSize(fw, fh);
    TBitmap frame, grey, embossed; // temporary images, released on every way out
    frame.SetSize(fw, fh);
    for (int i = 0; i < numGlyphs_; ++i) {
        for (int y = 0; y < fh; ++y)
            std::memcpy(frame.ScanLine(y), glyph_->ScanLine(y) + static_cast<size_t>(i) * fw,
                        static_cast<size_t>(fw) * 4);
        if (i == 0) {
            grey.SetSize(fw, fh);
            embossed.SetSize(fw, fh);
            std::vector<std::uint32_t> pixels(static_cast<size_t>(fw) * fh);
            for (int y = 0; y < fh; ++y)
                std::memcpy(pixels.data() + static_cast<size_t>(y) * fw, frame.ScanLine(y),
                            static_cast<size_t>(fw) * 4);
            std::vector<std::uint32_t> out(pixels.size());
            btn::MakeGreyCopy(pixels.data(), out.data(), out.size());
            for (int y = 0; y < fh; ++y)
                std::memcpy(grey.ScanLine(y), out.data() + static_cast<size_t>(y) * fw,
                            static_cast<size_t>(fw) * 4);
            btn::MakeEmbossedCopy(pixels.data(), fw, fh, ToPixel(clBtnFace), ToPixel(clBtnHighlight),
                                  ToPixel(clBtnShadow), out.data());
            for (int y = 0; y < fh; ++y)
                std::memcpy(embossed.ScanLine(y), out.data() + static_cast<size_t>(y) * fw,
                            static_cast<size_t>(fw) * 4);
        }
        glyphList_->AddMasked(frame, frame.TransparentColor());
    }
    glyphList_->AddMasked(grey, grey.TransparentColor());
    glyphList_->AddMasked(embossed, embossed.TransparentColor());
    Invalidate();
}

// ---- painting ----

void TV2TransparentButton::Paint() {
    DrawBorder(Canvas());
    DrawContents(Canvas());
}

void TV2TransparentButton::Draw3DFrame(TCanvas& canvas, RECT& rect, TColor top, TColor bottom, int n) {
    for (int i = 0; i < n; ++i) {
        const btn::RingStrips s = btn::RingOf({rect.left, rect.top, rect.right, rect.bottom});
        canvas.Brush().SetColor(top);
        canvas.FillRect(RECT{s.leftColumn.left, s.leftColumn.top, s.leftColumn.right, s.leftColumn.bottom});
        canvas.FillRect(RECT{s.topRow.left, s.topRow.top, s.topRow.right, s.topRow.bottom});
        canvas.Brush().SetColor(bottom);
        canvas.FillRect(RECT{s.rightColumn.left, s.rightColumn.top, s.rightColumn.right, s.rightColumn.bottom});
        canvas.FillRect(RECT{s.bottomRow.left, s.bottomRow.top, s.bottomRow.right, s.bottomRow.bottom});
        ::InflateRect(&rect, -1, -1);
    }
}

void TV2TransparentButton::DrawBorder(TCanvas& canvas) {
    RECT r{0, 0, Width(), Height()};
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    }
    btn::BorderInput in;
    in.style = frameStyle_;
    in.pressed = pressed_;
    in.flat = flat_;
    in.mouseInside = mouseInside_;
    in.down = down_;
    in.showPressed = showPressed_;
    in.designing = Designing();
    in.borderWidth = borderWidth_;
    const btn::BorderPlan plan = btn::PlanBorder(in);
    if (plan.frames >= 1)
        Draw3DFrame(canvas, r, BorderTColor(plan.outer.top), BorderTColor(plan.outer.bottom), plan.rings);
    if (plan.frames >= 2)
        Draw3DFrame(canvas, r, BorderTColor(plan.inner.top), BorderTColor(plan.inner.bottom), plan.rings);
}

void TV2TransparentButton::DrawContents(TCanvas& canvas) {
    int fw = glyphList_->Width();
    if (fw <= 0) fw = glyph_->Width();
    const int fh = glyphList_->Height();
    const btn::Point g = btn::GlyphOrigin(textAlign_, Width(), Height(), fw, fh, spacing_);
    const RECT glyphRect{g.x, g.y, g.x + fw, g.y + fh};
    if (!glyph_->Empty()) {
        DrawGlyph(glyphRect, canvas);
        glyph_->Dormant(); // the drawing uses the cut frames; the strip keeps only its pixels
    }
    if (!caption_.empty()) DrawCaption(glyphRect, canvas);
}

void TV2TransparentButton::DrawGlyph(const RECT& glyphRect, TCanvas& canvas) {
    glyphList_->Draw(canvas, glyphRect.left, glyphRect.top, btn::GlyphEntry(numGlyphs_, State()));
}

void TV2TransparentButton::DrawCaption(const RECT& glyphRect, TCanvas& canvas) {
    canvas.Font().Assign(&Font());
    const UINT lines = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
    RECT text{0, 0, Width(), Height()};
    canvas.DrawText(caption_.c_str(), -1, text, DT_CALCRECT | lines);
    const int tw = text.right - text.left, th = text.bottom - text.top;
    const btn::Point d = btn::CaptionOffset(textAlign_, Width(), Height(), tw, th,
                                            {glyphRect.left, glyphRect.top},
                                            glyphRect.bottom - glyphRect.top, spacing_);
    ::OffsetRect(&text, d.x, d.y);
    if (pressed_ && showPressed_) ::OffsetRect(&text, offset_, offset_);
    canvas.SetBkMode(TRANSPARENT);
    const UINT format = DT_CENTER | DT_NOCLIP | lines;
    if (Enabled()) {
        canvas.DrawText(caption_.c_str(), -1, text, format);
        return;
    }
    // Engraved: highlight one pixel right and down, shadow in place.
    const TColor previous = canvas.Font().Color();
    ::OffsetRect(&text, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(caption_.c_str(), -1, text, format);
    ::OffsetRect(&text, -1, -1);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(caption_.c_str(), -1, text, format);
    canvas.Font().SetColor(previous);
}

// ---- size ----

bool TV2TransparentButton::CanAutoSize(int& NewWidth, int& NewHeight) {
    if (Designing() && (glyph_->Width() <= 0 || glyph_->Height() <= 0)) return true;
    const TAlign a = Align();
    if (a == alNone || a == alLeft || a == alRight) NewWidth = btn::FrameWidth(glyph_->Width(), numGlyphs_);
    if (a == alNone || a == alTop || a == alBottom) NewHeight = glyph_->Height();
    return true;
}

// ---- mouse and keys ----

void TV2TransparentButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Enabled()) return;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (PointInButton(X, Y)) {
        pressed_ = true;
        Repaint();
    }
    if (dropDownMenu_ && Button == TMouseButton::mbLeft) {
        const POINT corner = ClientToScreen(POINT{0, Height()});
        dropDownMenu_->SetPopupComponent(this);
        dropDownMenu_->Popup(corner.x, corner.y);
        // The release that closed the menu, and whatever the mouse did meanwhile, is not ours.
        MSG m;
        while (::PeekMessageW(&m, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_REMOVE)) {
        }
        MouseUp(Button, Shift, X, Y);
    }
}

void TV2TransparentButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (pressed_ && !PointInButton(X, Y)) {
        pressed_ = false;
        Repaint();
    } else if (!pressed_ && MouseCapture() && (Shift & ssLeft) && PointInButton(X, Y) && Enabled()) {
        // Back over the button with the press that began on it still held.
        pressed_ = true;
        Repaint();
    }
}

void TV2TransparentButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Enabled() || down_) return;
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    pressed_ = false;
    Repaint();
}

void TV2TransparentButton::DoMouseEnter() {
    if (Designing() || !Enabled()) return;
    mouseInside_ = true;
    if (OnMouseEnter) OnMouseEnter(this);
    if (flat_) Repaint();
}

void TV2TransparentButton::DoMouseLeave() {
    if (Designing() || !Enabled()) return;
    mouseInside_ = false;
    if (OnMouseExit) OnMouseExit(this);
    if (flat_) Repaint();
}

bool TV2TransparentButton::DialogChar(wchar_t key) {
    if (!btn::IsAccelerator(key, caption_) || !Enabled()) return false;
    Click();
    return true;
}

void TV2TransparentButton::EnabledChanged() {
    if (!Enabled()) {
        pressed_ = false;
        mouseInside_ = false;
    }
    Repaint();
}

// ---- components and actions ----

void TV2TransparentButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TV2TransparentButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TAction*>(Sender)) {
        if (!CheckDefaults || !down_) SetDown(action->Checked());
    }
}

std::unique_ptr<TControlActionLink> TV2TransparentButton::CreateActionLink() {
    return std::make_unique<TV2TransparentButtonActionLink>(this);
}

TV2TransparentButtonActionLink::TV2TransparentButtonActionLink(TV2TransparentButton* client)
    : TControlActionLink(client) {
    AssignClient(client);
}

void TV2TransparentButtonActionLink::AssignClient(TControl* client) {
    TControlActionLink::AssignClient(client);
    button_ = dynamic_cast<TV2TransparentButton*>(client);
}

bool TV2TransparentButtonActionLink::IsCheckedLinked() const {
    const auto* action = dynamic_cast<TAction*>(action_);
    return TControlActionLink::IsCheckedLinked() && action && button_ &&
           action->Checked() == button_->Down();
}

void TV2TransparentButtonActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) button_->SetDown(value);
}
