#include "framework/NativeControl.h"

#include "framework/Exception.h"

TNativeControl::TNativeControl(TComponent* AOwner, const wchar_t* nativeClass)
    : TWinControl(AOwner), nativeClass_(nativeClass) {
    // The system control tracks its own clicks and capture; it holds no child controls.
    SetControlStyle(ControlStyle() & ~(csAcceptsControls | csCaptureMouse | csClickEvents));
}

void TNativeControl::SetTabStop(bool value) {
    if (tabStop_ == value) return;
    tabStop_ = value;
    if (HandleAllocated()) {
        const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
        ::SetWindowLongPtrW(Handle(), GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

bool TNativeControl::CanTabTo() const {
    return TabStop() && HandleAllocated() && ::IsWindowVisible(Handle()) &&
           ::IsWindowEnabled(Handle());
}

void TNativeControl::Command(WORD) {}

HBRUSH TNativeControl::CtlColor(HDC dc) {
    // The control's colour behind it and its font's colour for the text, with the DC brush:
    // nothing is created.
    const COLORREF back = ColorToRGB(Color());
    ::SetBkColor(dc, back);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::SetDCBrushColor(dc, back);
    return static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
}

void TNativeControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = nativeClass_;
    if (TabStop()) Params.Style |= WS_TABSTOP;
}

void TNativeControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (!CreateSubclassedHandle(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X,
                                p.Y, p.Width, p.Height, p.WndParent, nullptr))
        throw Exception(L"Error creating window");
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    HandleCreated();
}

LRESULT TNativeControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
    case WM_SETCURSOR:
        return DefaultHandler(msg, wParam, lParam); // the system control draws itself
    default:
        return TWinControl::WndProc(msg, wParam, lParam);
    }
}

void TNativeControl::FontChanged() {
    TWinControl::FontChanged();
    if (HandleAllocated())
        ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

bool ReflectControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (auto* c = dynamic_cast<TNativeControl*>(
                fw::TWindow::FromHandle(reinterpret_cast<HWND>(lParam)))) {
            c->Command(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (auto* c = dynamic_cast<TNativeControl*>(
                fw::TWindow::FromHandle(reinterpret_cast<HWND>(lParam)))) {
            if (HBRUSH brush = c->CtlColor(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}
