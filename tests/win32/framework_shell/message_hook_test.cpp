// Watching another window's messages: sent and posted ones arrive before the window's own
// procedure handles them, only for the watched window, and no longer after Stop.
#include "framework/ErrorHandler.h"
#include "framework/Exception.h"
#include "framework/MessageHook.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class Target : public fw::TWindow {
public:
    Target() {
        RegisterClass(L"OrderHookTarget");
        CreateOwnHandle(0, L"OrderHookTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP) g_log.push_back("window " + std::to_string(wParam));
        return fw::TWindow::WndProc(msg, wParam, lParam);
    }
};

void PumpQueue() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

std::vector<std::wstring> g_reported;
void Record(const std::wstring& text) { g_reported.push_back(text); }

} // namespace

TEST(TMessageHook, SeesSentAndPostedMessagesBeforeTheWindowDoes) {
    g_log.clear();
    Target target, other;
    TMessageHook hook;
    hook.Watch(target.Handle(), [](UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_APP) g_log.push_back("hook " + std::to_string(wParam));
    });
    ::SendMessageW(target.Handle(), WM_APP, 1, 0);
    ::PostMessageW(target.Handle(), WM_APP, 2, 0);
    PumpQueue();
    ::SendMessageW(other.Handle(), WM_APP, 3, 0); // not watched
    EXPECT_EQ(g_log, (std::vector<std::string>{"hook 1", "window 1", "hook 2", "window 2", "window 3"}));

    g_log.clear();
    hook.Stop();
    ::SendMessageW(target.Handle(), WM_APP, 4, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"window 4"}));
}

TEST(TMessageHook, SeveralWatchesAndWatchesEndingWithTheirObject) {
    g_log.clear();
    Target target;
    TMessageHook first;
    first.Watch(target.Handle(), [](UINT msg, WPARAM, LPARAM) {
        if (msg == WM_APP) g_log.push_back("first");
    });
    {
        TMessageHook second;
        second.Watch(target.Handle(), [](UINT msg, WPARAM, LPARAM) {
            if (msg == WM_APP) g_log.push_back("second");
        });
        ::SendMessageW(target.Handle(), WM_APP, 0, 0);
    }
    ::SendMessageW(target.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"first", "second", "window 0", "first", "window 0"}));
}

TEST(TMessageHook, AnExceptionInTheHandlerIsReportedAndTheMessageStillArrives) {
    g_log.clear();
    g_reported.clear();
    fw::SetExceptionHandler(Record);
    Target target;
    TMessageHook hook;
    hook.Watch(target.Handle(), [](UINT msg, WPARAM, LPARAM) {
        if (msg == WM_APP) throw Exception(L"watch failed");
    });
    ::SendMessageW(target.Handle(), WM_APP, 5, 0);
    fw::SetExceptionHandler(nullptr);
    EXPECT_EQ(g_reported, (std::vector<std::wstring>{L"watch failed"}));
    EXPECT_EQ(g_log, (std::vector<std::string>{"window 5"}));
}
