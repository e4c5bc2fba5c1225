#include "framework/Control.h"

#include <windowsx.h>

#include "framework/Actions.h"
#include "framework/HintTools.h"
#include "framework/PopupMenu.h"
#include "framework/WinControl.h"

namespace {
TControl* g_captureControl = nullptr;
} // namespace

TControl* GetCaptureControl() noexcept { return g_captureControl; }

void SetCaptureControl(TControl* control) {
    g_captureControl = nullptr;
    if (!control) {
        ::ReleaseCapture();
        return;
    }
    HWND window = nullptr;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        window = win->Handle();
    } else if (control->Parent()) {
        window = control->Parent()->Handle();
    }
    if (!window) return;
    ::SetCapture(window);
    g_captureControl = control; // after SetCapture: its WM_CAPTURECHANGED must not clear it
}

void ForgetCaptureControl() noexcept {
    if (g_captureControl) g_captureControl->CancelClick();
    g_captureControl = nullptr;
}

TShiftState KeysToShiftState(WPARAM keys) noexcept {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    font_.OnChange = [this](TObject*) {
        if (!followingParentFont_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (g_captureControl == this) {
        g_captureControl = nullptr;
        ::ReleaseCapture();
    }
    RemoveHintTool();
    actionLink_.reset();
    if (parent_) parent_->RemoveControl(this);
}

// ---- parent and bounds ----

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == parent_) return;
    if (AParent == this) return;
    if (parent_) {
        InvalidateControl(true);
        parent_->RemoveControl(this);
    }
    if (AParent) {
        AParent->InsertControl(this);
        ParentFontChanged();
        ParentColorChanged();
        ParentShowHintChanged();
        InvalidateControl(true);
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (autoSize_) {
        int w = AWidth, h = AHeight;
        if (CanAutoSize(w, h)) {
            AWidth = w;
            AHeight = h;
        }
    }
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    const RECT old = BoundsRect();
    InvalidateControl(true);
    StoreBounds(ALeft, ATop, AWidth, AHeight);
    BoundsChanged(old);
    InvalidateControl(true);
    if (parent_ && align_ != alNone) parent_->RequestAlign();
    UpdateHintTool();
    if (old.right - old.left != width_ || old.bottom - old.top != height_) Resize();
}

void TControl::BoundsChanged(const RECT&) {}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

RECT TControl::ClientRect() const { return RECT{0, 0, width_, height_}; }

POINT TControl::ClientToScreen(POINT p) const {
    if (!parent_ || !parent_->HandleAllocated()) return p;
    POINT q{p.x + left_, p.y + top_};
    ::ClientToScreen(parent_->Handle(), &q);
    return q;
}

POINT TControl::ScreenToClient(POINT p) const {
    if (!parent_ || !parent_->HandleAllocated()) return p;
    ::ScreenToClient(parent_->Handle(), &p);
    return POINT{p.x - left_, p.y - top_};
}

// ---- visibility and state ----

void TControl::SetVisible(bool value) {
    if (value == visible_) return;
    if (!value) InvalidateControl(true);
    visible_ = value;
    VisibleChanged();
    if (value) InvalidateControl(true);
    if (parent_ && align_ != alNone) parent_->RequestAlign();
    UpdateHintTool();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    EnabledChanged();
}

void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {}
void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }
void TControl::ShowHintChanged() { UpdateHintTool(); }

// ---- layout ----

void TControl::SetAlign(TAlign value) {
    if (value == align_) return;
    align_ = value;
    if (parent_) parent_->RequestAlign();
}

void TControl::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize() {
    if (!autoSize_) return;
    const int l = left_, t = top_, w = width_, h = height_;
    // Force the query even when the proposal equals the current size.
    int nw = w, nh = h;
    if (CanAutoSize(nw, nh) && (nw != w || nh != h)) {
        const bool wasAuto = autoSize_;
        autoSize_ = false; // the query has answered; store its answer as is
        SetBounds(l, t, nw, nh);
        autoSize_ = wasAuto;
    }
}

// ---- text, colour, font, hint ----

void TControl::SetCaption(const std::wstring& value) {
    if (value == text_) return;
    text_ = value;
    TextChanged();
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_) return;
    color_ = value;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_) return;
    if (color_ == parent_->Color()) return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    followingParentFont_ = true;
    try {
        font_.Assign(&parent_->Font());
    } catch (...) {
        followingParentFont_ = false;
        throw;
    }
    followingParentFont_ = false;
}

void TControl::SetHint(const std::wstring& value) {
    if (value == hint_) return;
    hint_ = value;
    UpdateHintTool();
}

bool TControl::ShowHint() const noexcept {
    if (parentShowHint_ && parent_) return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (value == showHint_) return;
    showHint_ = value;
    ShowHintChanged();
}

void TControl::SetParentShowHint(bool value) {
    if (value == parentShowHint_) return;
    parentShowHint_ = value;
    ShowHintChanged();
}

void TControl::ParentShowHintChanged() {
    if (parentShowHint_) ShowHintChanged();
}

void TControl::UpdateHintTool() { fw_hint::UpdateTool(*this, hintToolAdded_); }

void TControl::RemoveHintTool() { fw_hint::RemoveTool(*this, hintToolAdded_); }

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (value == popupMenu_) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value) value->FreeNotification(this);
}

// ---- actions ----

TBasicAction* TControl::Action() const noexcept {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value) {
    if (!value) {
        if (actionLink_ && actionLink_->Action()) actionLink_->Action()->RemoveFreeNotification(this);
        actionLink_.reset();
        return;
    }
    if (!actionLink_) actionLink_ = CreateActionLink();
    if (actionLink_->Action() && actionLink_->Action() != value)
        actionLink_->Action()->RemoveFreeNotification(this);
    actionLink_->SetAction(value);
    ActionChange(value, (value->ComponentState() & csLoading) != 0);
    value->FreeNotification(this);
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
    auto* a = dynamic_cast<TAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || text_.empty() || text_ == Name()) SetCaption(a->Caption());
    if (!CheckDefaults || enabled_) SetEnabled(a->Enabled());
    if (!CheckDefaults || hint_.empty()) SetHint(a->Hint());
    if (!CheckDefaults || visible_) SetVisible(a->Visible());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == popupMenu_) popupMenu_ = nullptr;
    if (actionLink_ && AComponent == actionLink_->Action()) actionLink_.reset();
}

// ---- painting ----

void TControl::InvalidateControl(bool erase) {
    if (IsWindowed()) return;
    if (!parent_ || !parent_->HandleAllocated() || !(visible_ || Designing())) return;
    RECT r = BoundsRect();
    ::InvalidateRect(parent_->Handle(), &r, erase ? TRUE : FALSE);
}

void TControl::Invalidate() { InvalidateControl((controlStyle_ & csOpaque) == 0); }

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

// ---- input ----

void TControl::Click() {
    if (OnClick) {
        OnClick(this);
    } else if (actionLink_) {
        actionLink_->Execute(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

bool TControl::MouseCapture() const noexcept { return g_captureControl == this; }

void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture()) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DialogChar(wchar_t) { return false; }

bool TControl::HitTest(int, int) const { return true; }

void TControl::DoMouseDown(TMouseButton button, WPARAM keys, int X, int Y, TShiftState extra) {
    MouseDown(button, KeysToShiftState(keys) | extra, X, Y);
}

void TControl::DoMouseUp(TMouseButton button, WPARAM keys, int X, int Y) {
    MouseUp(button, KeysToShiftState(keys), X, Y);
}

void TControl::HandleMouseMessage(UINT msg, WPARAM keys, int X, int Y) {
    // Without the double-click style the second press of a double click is an ordinary press.
    if (!(controlStyle_ & csDoubleClicks)) {
        if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
        else if (msg == WM_RBUTTONDBLCLK) msg = WM_RBUTTONDOWN;
        else if (msg == WM_MBUTTONDBLCLK) msg = WM_MBUTTONDOWN;
    }
    switch (msg) {
    case WM_MOUSEMOVE:
        MouseMove(KeysToShiftState(keys), X, Y);
        break;
    case WM_LBUTTONDOWN:
        if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
        if (controlStyle_ & csClickEvents) clicked_ = true;
        DoMouseDown(TMouseButton::mbLeft, keys, X, Y, 0);
        break;
    case WM_LBUTTONDBLCLK:
        if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
        if (controlStyle_ & csClickEvents) DblClick();
        DoMouseDown(TMouseButton::mbLeft, keys, X, Y, ssDouble);
        break;
    case WM_LBUTTONUP: {
        if (controlStyle_ & csCaptureMouse) SetMouseCapture(false);
        if (clicked_) {
            clicked_ = false;
            const RECT r = ClientRect();
            // The click comes before the control's own mouse-up handling.
            if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) Click();
        }
        DoMouseUp(TMouseButton::mbLeft, keys, X, Y);
        break;
    }
    case WM_RBUTTONDOWN:
        DoMouseDown(TMouseButton::mbRight, keys, X, Y, 0);
        break;
    case WM_RBUTTONDBLCLK:
        DoMouseDown(TMouseButton::mbRight, keys, X, Y, ssDouble);
        break;
    case WM_RBUTTONUP:
        DoMouseUp(TMouseButton::mbRight, keys, X, Y);
        if (popupMenu_ && popupMenu_->AutoPopup()) {
            const POINT p = ClientToScreen(POINT{X, Y});
            popupMenu_->SetPopupComponent(this);
            popupMenu_->Popup(p.x, p.y);
        }
        break;
    case WM_MBUTTONDOWN:
        DoMouseDown(TMouseButton::mbMiddle, keys, X, Y, 0);
        break;
    case WM_MBUTTONDBLCLK:
        DoMouseDown(TMouseButton::mbMiddle, keys, X, Y, ssDouble);
        break;
    case WM_MBUTTONUP:
        DoMouseUp(TMouseButton::mbMiddle, keys, X, Y);
        break;
    default:
        break;
    }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case CM_MOUSEENTER:
        MouseEnter();
        return 0;
    case CM_MOUSELEAVE:
        MouseLeave();
        return 0;
    case CM_DIALOGCHAR:
        return DialogChar(static_cast<wchar_t>(wParam)) ? 1 : 0;
    case CM_ENABLEDCHANGED:
        EnabledChanged();
        return 0;
    default:
        if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
            HandleMouseMessage(msg, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
        return 0;
    }
}
