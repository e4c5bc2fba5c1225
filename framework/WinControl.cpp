#include "framework/WinControl.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/Exception.h"
#include "framework/GraphicControl.h"
#include "framework/HintTools.h"

namespace {

// One region for the whole process, to keep a DC's clipping while children are painted; made
// once, never per paint.
HRGN SavedClipRegion() {
    static HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    return region;
}

HCURSOR CursorHandle(TCursor cursor) {
    const wchar_t* id = nullptr;
    switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crHandPoint: id = IDC_HAND; break;
    default: return nullptr;
    }
    return ::LoadCursorW(nullptr, id);
}

} // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TWinControl::~TWinControl() {
    DestroyComponents();
    // Children are not owned by their parent: let them go.
    for (TControl* c : controls_) {
        c->RemoveHintTool();
        c->parent_ = nullptr;
    }
    controls_.clear();
    hover_ = nullptr;
    if (GetCaptureControl() == this) ForgetCaptureControl();
    RemoveHintTool();
    if (Parent()) Parent()->RemoveControl(this);
    DestroyHandle();
}

// ---- children ----

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (HandleAllocated()) win->HandleNeeded();
    }
    control->UpdateHintTool();
    if (control->Align() != alNone || AutoSize()) RequestAlign();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    control->RemoveHintTool();
    if (hover_ == control) hover_ = nullptr;
    if (GetCaptureControl() == control) SetCaptureControl(nullptr);
    controls_.erase(it);
    control->parent_ = nullptr;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (win->HandleAllocated()) {
            win->PrepareDestroyTree();
            win->DestroyHandle();
        }
    }
    if (control->Align() != alNone || AutoSize()) RequestAlign();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed()) continue;
        if (!(c->Visible() || c->Designing())) continue;
        if (!allowDisabled && !c->Enabled()) continue;
        const RECT r = c->BoundsRect();
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom &&
            c->HitTest(p.x - r.left, p.y - r.top))
            return c;
    }
    return nullptr;
}

TWinControl* TWinControl::TopLevelControl() {
    TWinControl* w = this;
    while (w->Parent()) w = w->Parent();
    return w;
}

// ---- window ----

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = Caption();
    Params.WinClassName = ClassName();
    Params.ClassStyle = CS_DBLCLKS;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    if (Parent()) {
        Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        if (Visible()) Params.Style |= WS_VISIBLE;
        Params.WndParent = Parent()->Handle();
    } else {
        Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    }
    if (!Enabled()) Params.Style |= WS_DISABLED;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    RegisterClass(p.WinClassName.c_str(), p.ClassStyle);
    if (!CreateOwnHandle(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                         p.Width, p.Height, p.WndParent, nullptr))
        throw Exception(L"Error creating window");
}

void TWinControl::HandleNeeded() {
    if (HandleAllocated()) return;
    if (Parent()) {
        Parent()->HandleNeeded(); // creates this one too when it is visible
        if (HandleAllocated()) return;
    }
    CreateWnd();
    AfterHandleCreated();
}

void TWinControl::AfterHandleCreated() {
    UpdateBoundsFromWindow();
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (auto* win = dynamic_cast<TWinControl*>(controls_[i]); win && !win->HandleAllocated())
            win->HandleNeeded();
    }
    UpdateToolsOfTree();
    Realign();
    if (!Parent() && Visible()) ::ShowWindow(Handle(), SW_SHOWNA);
}

void TWinControl::PrepareDestroyTree() {
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c); win && win->HandleAllocated())
            win->PrepareDestroyTree();
    ForgetToolsOfTree();
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated()) return;
    PrepareDestroyTree();
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::HandleDestroyed() {
    trackingLeave_ = false;
    hover_ = nullptr;
    if (tooltip_) { // owned by this window: gone with it, and all its tools
        tooltip_ = nullptr;
        ResetToolFlags();
    }
}

void TWinControl::ResetToolFlags() {
    hintToolAdded_ = false;
    for (TControl* c : controls_) {
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->ResetToolFlags();
        else c->hintToolAdded_ = false;
    }
}

void TWinControl::UpdateToolsOfTree() {
    UpdateHintTool();
    for (TControl* c : controls_) {
        if (auto* win = dynamic_cast<TWinControl*>(c)) {
            if (win->HandleAllocated()) win->UpdateToolsOfTree();
        } else {
            c->UpdateHintTool();
        }
    }
}

void TWinControl::ForgetToolsOfTree() {
    for (TControl* c : controls_)
        if (!c->IsWindowed()) c->RemoveHintTool();
    RemoveHintTool();
}

HWND TWinControl::TooltipWindow(bool create) {
    if (!tooltip_ && create && HandleAllocated()) {
        static bool initialised = [] {
            INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
            return ::InitCommonControlsEx(&icc) != FALSE;
        }();
        (void)initialised;
        tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    }
    return tooltip_;
}

// ---- painting ----

void TWinControl::Invalidate() {
    if (HandleAllocated()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TWinControl::Update() {
    if (HandleAllocated()) ::UpdateWindow(Handle());
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

bool TWinControl::EraseBackground(HDC dc) {
    const RECT r = ClientRect();
    ::SetDCBrushColor(dc, ColorToRGB(Color()));
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    return true;
}

void TWinControl::PaintHandler(HDC dc, const RECT& clip) {
    canvas_.SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    PaintControls(dc, clip);
}

void TWinControl::PaintControls(HDC dc, const RECT& clip) {
    if (controls_.empty()) return;
    HRGN saved = SavedClipRegion();
    const bool hadClip = ::GetClipRgn(dc, saved) == 1;
    POINT origin{};
    ::GetViewportOrgEx(dc, &origin);
    auto restore = [&] {
        ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        ::SelectClipRgn(dc, hadClip ? saved : nullptr);
    };
    for (size_t i = 0; i < controls_.size(); ++i) {
        auto* c = dynamic_cast<TGraphicControl*>(controls_[i]);
        if (!c || !(c->Visible() || c->Designing())) continue;
        const RECT r = c->BoundsRect();
        RECT visible{};
        if (!::IntersectRect(&visible, &r, &clip)) continue;
        ::SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        try {
            c->PaintOn(dc);
        } catch (...) {
            restore();
            throw;
        }
        restore();
    }
}

void TWinControl::PaintTo(HDC dc, int X, int Y) {
    // Not the paint cycle itself (that is WM_PAINT): saving the DC's state here is fine.
    const int saved = ::SaveDC(dc);
    POINT origin{};
    ::GetViewportOrgEx(dc, &origin);
    ::SetViewportOrgEx(dc, origin.x + X, origin.y + Y, nullptr);
    const RECT client = ClientRect();
    ::IntersectClipRect(dc, 0, 0, Width(), Height());
    try {
        EraseBackground(dc);
        PaintHandler(dc, client);
        for (TControl* c : controls_) {
            auto* win = dynamic_cast<TWinControl*>(c);
            if (!win || !win->Visible()) continue;
            win->PaintTo(dc, win->Left(), win->Top());
        }
    } catch (...) {
        ::RestoreDC(dc, saved);
        throw;
    }
    ::RestoreDC(dc, saved);
}

// ---- bounds and layout ----

RECT TWinControl::ClientRect() const {
    RECT r{};
    if (HandleAllocated()) {
        ::GetClientRect(Handle(), &r);
        return r;
    }
    // No window yet: the size less the frame the window will have.
    TCreateParams p;
    const_cast<TWinControl*>(this)->CreateParams(p);
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
    r.right = Width() - (frame.right - frame.left);
    r.bottom = Height() - (frame.bottom - frame.top);
    if (r.right < 0) r.right = 0;
    if (r.bottom < 0) r.bottom = 0;
    return r;
}

POINT TWinControl::ClientToScreen(POINT p) const {
    if (HandleAllocated()) ::ClientToScreen(Handle(), &p);
    return p;
}

POINT TWinControl::ScreenToClient(POINT p) const {
    if (HandleAllocated()) ::ScreenToClient(Handle(), &p);
    return p;
}

void TWinControl::AdjustClientRect(RECT&) const {}

void TWinControl::BoundsChanged(const RECT& oldBounds) {
    if (HandleAllocated() && !updatingFromWindow_)
        ::SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    if (oldBounds.right - oldBounds.left != Width() || oldBounds.bottom - oldBounds.top != Height()) {
        ApplyAnchors();
        Realign();
    }
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!HandleAllocated()) return;
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    if (Parent() && Parent()->HandleAllocated())
        ::MapWindowPoints(nullptr, Parent()->Handle(), reinterpret_cast<POINT*>(&r), 2);
    if (r.left == Left() && r.top == Top() && r.right - r.left == Width() &&
        r.bottom - r.top == Height())
        return;
    updatingFromWindow_ = true;
    const RECT old = BoundsRect();
    StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    try {
        BoundsChanged(old);
    } catch (...) {
        updatingFromWindow_ = false;
        throw;
    }
    updatingFromWindow_ = false;
    UpdateHintTool();
    if (Parent() && Align() != alNone) Parent()->RequestAlign();
    if (old.right - old.left != Width() || old.bottom - old.top != Height()) Resize();
}

void TWinControl::ApplyAnchors() {
    const RECT client = ClientRect();
    const int dx = client.right - anchorClientWidth_;
    const int dy = client.bottom - anchorClientHeight_;
    anchorClientWidth_ = client.right;
    anchorClientHeight_ = client.bottom;
    if (dx == 0 && dy == 0) return;
    for (TControl* c : controls_) {
        if (c->Align() != alNone) continue;
        const TAnchors a = c->Anchors();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a & akRight) {
            if (a & akLeft) w += dx;
            else l += dx;
        }
        if (a & akBottom) {
            if (a & akTop) h += dy;
            else t += dy;
        }
        c->SetBounds(l, t, w, h);
    }
}

void TWinControl::RequestAlign() { Realign(); }

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0) --alignDisabled_;
    if (alignDisabled_ == 0 && alignPending_) {
        alignPending_ = false;
        Realign();
    }
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0) {
        alignPending_ = true;
        return;
    }
    if (aligning_) return;
    aligning_ = true;
    try {
        RECT r = ClientRect();
        AdjustClientRect(r);
        AlignControls(r);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
    if (AutoSize()) AdjustSize();
}

void TWinControl::AlignControls(RECT& Rect) {
    std::vector<TControl*> list;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        list.clear();
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        // Controls of one side keep their order along that side (ties: creation order).
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        for (TControl* c : list) {
            const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
            switch (align) {
            case alTop:
                c->SetBounds(Rect.left, Rect.top, w, c->Height());
                Rect.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(Rect.left, Rect.bottom - c->Height(), w, c->Height());
                Rect.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(Rect.left, Rect.top, c->Width(), h);
                Rect.left += c->Width();
                break;
            case alRight:
                c->SetBounds(Rect.right - c->Width(), Rect.top, c->Width(), h);
                Rect.right -= c->Width();
                break;
            default:
                c->SetBounds(Rect.left, Rect.top, w, h);
                break;
            }
        }
    }
}

bool TWinControl::CanAutoSize(int& NewWidth, int& NewHeight) {
    // Sized to the extent of the visible children, plus the frame and insets around the client area.
    int right = 0, bottom = 0;
    bool any = false;
    for (TControl* c : controls_) {
        if (!c->Visible() || c->Align() != alNone) continue;
        any = true;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    if (!any) return false;
    const RECT client = ClientRect();
    RECT inner = client;
    AdjustClientRect(inner);
    NewWidth = right + (Width() - client.right) + (client.right - inner.right) + inner.left;
    NewHeight = bottom + (Height() - client.bottom) + (client.bottom - inner.bottom) + inner.top;
    return true;
}

// ---- state changes ----

void TWinControl::VisibleChanged() {
    if (Visible()) {
        if (!Parent() || Parent()->HandleAllocated()) HandleNeeded();
        if (HandleAllocated()) ::ShowWindow(Handle(), SW_SHOWNA);
    } else if (HandleAllocated()) {
        ::ShowWindow(Handle(), SW_HIDE);
    }
}

void TWinControl::EnabledChanged() {
    if (HandleAllocated()) ::EnableWindow(Handle(), Enabled());
    Invalidate();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ParentColorChanged();
}

void TWinControl::TextChanged() {
    if (HandleAllocated()) ::SetWindowTextW(Handle(), Caption().c_str());
}

void TWinControl::ShowHintChanged() {
    TControl::ShowHintChanged();
    for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ParentShowHintChanged();
}

// ---- keyboard ----

bool TWinControl::DialogChar(wchar_t key) {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->DialogChar(key)) return true;
    return false;
}

void TWinControl::KeyPress(wchar_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::SetFocus() {
    HandleNeeded();
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const noexcept { return HandleAllocated() && ::GetFocus() == Handle(); }

// ---- mouse ----

void TWinControl::ChangeHover(TControl* target) {
    // While a control holds the capture only it hears of the pointer coming and going; a
    // control the pointer came over meanwhile hears of it once the capture has ended.
    TControl* capture = GetCaptureControl();
    if (target == hover_) {
        if (target && !hoverEntered_ && !capture) {
            hoverEntered_ = true;
            target->MouseEnter();
        }
        return;
    }
    TControl* old = hover_;
    const bool oldEntered = hoverEntered_;
    hover_ = target;
    hoverEntered_ = false;
    if (old && oldEntered && (!capture || capture == old)) old->MouseLeave();
    if (target && hover_ == target && (!capture || capture == target)) {
        hoverEntered_ = true;
        target->MouseEnter();
    }
}

void TWinControl::UpdateHover(POINT p) {
    TControl* target = ControlAtPos(p, true);
    ChangeHover(target ? target : this);
    if (!trackingLeave_ && HandleAllocated()) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
    }
}

bool TWinControl::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (msg == WM_MOUSEMOVE) UpdateHover(p);
    TControl* target = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && ::GetCapture() == Handle()) {
        if (capture != this && capture->Parent() == this) target = capture;
    } else {
        target = ControlAtPos(p, false);
    }
    if (!target) return false;
    target->HandleMouseMessage(msg, wParam, p.x - target->Left(), p.y - target->Top());
    return true;
}

// ---- messages ----

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(Handle(), &ps);
        try {
            PaintHandler(dc, ps.rcPaint);
        } catch (...) {
            ::EndPaint(Handle(), &ps);
            throw;
        }
        ::EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const RECT client = ClientRect();
        if (lParam & PRF_ERASEBKGND) EraseBackground(dc);
        PaintHandler(dc, client);
        return 0;
    }
    case WM_ERASEBKGND:
        if (EraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        fw_hint::Relay(*this, msg, wParam, lParam);
        if (RouteMouse(msg, wParam, lParam)) return 0;
        HandleMouseMessage(msg, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        ChangeHover(nullptr);
        return 0;
    case WM_CAPTURECHANGED: {
        TControl* capture = GetCaptureControl();
        if (capture && (capture == this || capture->Parent() == this) &&
            reinterpret_cast<HWND>(lParam) != Handle())
            ForgetCaptureControl();
        break;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
            POINT p{};
            ::GetCursorPos(&p);
            ::ScreenToClient(Handle(), &p);
            TControl* c = ControlAtPos(p, true);
            const TCursor cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
            if (HCURSOR h = CursorHandle(cursor)) {
                ::SetCursor(h);
                return TRUE;
            }
        }
        break;
    case WM_CHAR: {
        wchar_t key = static_cast<wchar_t>(wParam);
        KeyPress(key);
        if (key == 0) return 0;
        if (!WantsChars() && TopLevelControl()->DialogChar(key)) return 0;
        return DefaultHandler(msg, key, lParam);
    }
    case WM_SYSCHAR:
        if (TopLevelControl()->DialogChar(static_cast<wchar_t>(wParam))) return 0;
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT r = DefaultHandler(msg, wParam, lParam);
        if (!updatingFromWindow_) UpdateBoundsFromWindow();
        return r;
    }
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}
