#include "framework/MessageHook.h"

#include <algorithm>
#include <vector>

#include "framework/ErrorHandler.h"

namespace {

// The watches of this thread and its two hooks (one thread: the user-interface thread).
struct ThreadHooks {
    std::vector<TMessageHook*> watches;
    HHOOK sent = nullptr;
    HHOOK posted = nullptr;
};
thread_local ThreadHooks t_hooks;

LRESULT CALLBACK SentProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        TMessageHook::Deliver(cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PostedProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        TMessageHook::Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void Install() {
    const DWORD thread = ::GetCurrentThreadId();
    if (!t_hooks.sent) t_hooks.sent = ::SetWindowsHookExW(WH_CALLWNDPROC, SentProc, nullptr, thread);
    if (!t_hooks.posted)
        t_hooks.posted = ::SetWindowsHookExW(WH_GETMESSAGE, PostedProc, nullptr, thread);
}

void UninstallIfUnused() noexcept {
    if (!t_hooks.watches.empty()) return;
    if (t_hooks.sent) ::UnhookWindowsHookEx(t_hooks.sent);
    if (t_hooks.posted) ::UnhookWindowsHookEx(t_hooks.posted);
    t_hooks.sent = t_hooks.posted = nullptr;
}

} // namespace

TMessageHook::~TMessageHook() { Stop(); }

void TMessageHook::Watch(HWND hwnd, Handler handler) {
    Stop();
    if (!hwnd || !handler) return;
    hwnd_ = hwnd;
    handler_ = std::move(handler);
    t_hooks.watches.push_back(this);
    Install();
}

void TMessageHook::Stop() noexcept {
    auto& w = t_hooks.watches;
    w.erase(std::remove(w.begin(), w.end(), this), w.end());
    hwnd_ = nullptr;
    handler_ = nullptr;
    UninstallIfUnused();
}

void TMessageHook::Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (!hwnd || std::none_of(t_hooks.watches.begin(), t_hooks.watches.end(),
                              [hwnd](const TMessageHook* w) { return w->hwnd_ == hwnd; }))
        return;
    // A handler may start or stop watches: walk a copy, and skip watches stopped meanwhile.
    const std::vector<TMessageHook*> snapshot = t_hooks.watches;
    for (TMessageHook* watch : snapshot) {
        if (std::find(t_hooks.watches.begin(), t_hooks.watches.end(), watch) == t_hooks.watches.end())
            continue;
        if (watch->hwnd_ != hwnd) continue;
        try {
            Handler handler = watch->handler_;
            handler(msg, wParam, lParam);
        } catch (...) {
            fw::HandleCurrentException();
        }
    }
}
