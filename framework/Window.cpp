#include "framework/Window.h"

#include "framework/ErrorHandler.h"

namespace fw {

TWindow::~TWindow() { DestroyHandle(); }

void TWindow::DestroyHandle() noexcept {
    if (handle_) ::DestroyWindow(handle_); // WM_NCDESTROY clears handle_
    handle_ = nullptr;
}

TWindow* TWindow::FromHandle(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    WNDPROC proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (proc != &TWindow::StaticWndProc) return nullptr;
    return reinterpret_cast<TWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ATOM TWindow::RegisterClass(const wchar_t* className, UINT style, HBRUSH background, HICON icon,
                            HICON smallIcon) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (ATOM atom = static_cast<ATOM>(::GetClassInfoExW(instance, className, &existing))) return atom;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = &TWindow::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc);
}

bool TWindow::CreateOwnHandle(DWORD exStyle, const wchar_t* className, const wchar_t* text,
                              DWORD style, int x, int y, int width, int height, HWND parent,
                              HMENU menuOrId) {
    if (handle_) return true;
    defProc_ = ::DefWindowProcW;
    HWND hwnd = ::CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent,
                                  menuOrId, ::GetModuleHandleW(nullptr), this);
    return hwnd != nullptr && handle_ == hwnd;
}

bool TWindow::CreateSubclassedHandle(DWORD exStyle, const wchar_t* nativeClass,
                                     const wchar_t* text, DWORD style, int x, int y, int width,
                                     int height, HWND parent, HMENU menuOrId) {
    if (handle_) return true;
    HWND hwnd = ::CreateWindowExW(exStyle, nativeClass, text, style, x, y, width, height, parent,
                                  menuOrId, ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return false;
    handle_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    defProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindow::StaticWndProc)));
    return true;
}

LRESULT TWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT TWindow::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(defProc_, handle_, msg, wParam, lParam);
}

LRESULT TWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return WndProc(msg, wParam, lParam);
    } catch (...) {
        HandleCurrentException();
        if (msg == WM_PAINT) ::ValidateRect(handle_, nullptr); // no endless repaint after a failure
        return 0;
    }
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<TWindow*>(cs->lpCreateParams);
        if (self) {
            self->handle_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);

    const LRESULT result = self->Dispatch(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self->defProc_ != ::DefWindowProcW)
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->defProc_));
        self->handle_ = nullptr;
        self->defProc_ = ::DefWindowProcW;
        self->HandleDestroyed();
    }
    return result;
}

} // namespace fw
