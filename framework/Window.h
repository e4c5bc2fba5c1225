#pragma once
// The base of every object that owns a window handle. It owns the HWND (destroyed with the
// object), routes the window's messages to the virtual WndProc, and catches every exception at
// that boundary for the general error handler, so none ever reaches Windows.
#include <windows.h>

namespace fw {

class TWindow {
public:
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND Handle() const noexcept { return handle_; }
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }
    // Destroys the window now; the object lives on and may create a new one.
    void DestroyHandle() noexcept;

    // The object behind a window created or subclassed by this class, or nullptr.
    static TWindow* FromHandle(HWND hwnd) noexcept;

    // Registers a window class of this framework once per process; later calls return the atom.
    static ATOM RegisterClass(const wchar_t* className, UINT style = CS_DBLCLKS,
                              HBRUSH background = nullptr, HICON icon = nullptr,
                              HICON smallIcon = nullptr);

protected:
    TWindow() = default;

    // Creates a window of a class registered with RegisterClass; messages from WM_NCCREATE on
    // reach WndProc.
    bool CreateOwnHandle(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    // Creates a native control (EDIT, BUTTON ...) and subclasses it: messages reach WndProc
    // first, and DefaultHandler passes them to the control's own procedure.
    bool CreateSubclassedHandle(DWORD exStyle, const wchar_t* nativeClass, const wchar_t* text,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                HMENU menuOrId);

    // Handles one message. The default passes it on to DefaultHandler.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window class's or the native control's own handling.
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

    // Called after WM_NCDESTROY, when the handle is gone.
    virtual void HandleDestroyed() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    HWND handle_ = nullptr;
    WNDPROC defProc_ = ::DefWindowProcW;
};

} // namespace fw
