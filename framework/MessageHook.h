#pragma once
// TMessageHook: lets a component watch the messages another window of this thread receives,
// before that window's procedure handles them, without replacing the procedure (the framework
// finds its objects by their window procedure, so windows are never subclassed from outside).
// Sent messages are seen through a WH_CALLWNDPROC hook of the thread, posted ones through
// WH_GETMESSAGE when they are taken from the queue. The two hooks are installed while at least
// one watch exists on the thread.
#include <windows.h>

#include <functional>

class TMessageHook {
public:
    using Handler = std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)>;

    TMessageHook() = default;
    ~TMessageHook();
    TMessageHook(const TMessageHook&) = delete;
    TMessageHook& operator=(const TMessageHook&) = delete;

    // Starts watching hwnd (a window of this thread); replaces an earlier watch of this object.
    // The handler must not throw (exceptions are passed to the general error handler).
    void Watch(HWND hwnd, Handler handler);
    void Stop() noexcept;
    HWND Watched() const noexcept { return hwnd_; }

    // Called by the thread's hooks for a message about to reach hwnd.
    static void Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    HWND hwnd_ = nullptr;
    Handler handler_;
};
