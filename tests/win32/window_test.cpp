#include "framework/ErrorHandler.h"
#include "framework/Exception.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_reported;
void Record(const std::wstring& text) { g_reported.push_back(text); }

class ThrowingWindow : public fw::TWindow {
public:
    bool Create() {
        RegisterClass(L"OrderTestWindow");
        return CreateOwnHandle(0, L"OrderTestWindow", L"t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }
    int destroyed = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP) throw Exception(L"broken handler");
        if (msg == WM_APP + 1) return 42;
        return TWindow::WndProc(msg, wParam, lParam);
    }
    void HandleDestroyed() override { ++destroyed; }
};

class NativeEdit : public fw::TWindow {
public:
    bool Create() {
        return CreateSubclassedHandle(0, L"EDIT", L"abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr);
    }
    int chars = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CHAR) ++chars;
        return TWindow::WndProc(msg, wParam, lParam);
    }
};

} // namespace

TEST(TWindow, OwnsItsHandleAndDispatchesToTheObject) {
    HWND hwnd = nullptr;
    {
        ThrowingWindow w;
        ASSERT_TRUE(w.Create());
        hwnd = w.Handle();
        EXPECT_EQ(fw::TWindow::FromHandle(hwnd), &w);
        EXPECT_EQ(::SendMessageW(hwnd, WM_APP + 1, 0, 0), 42);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(TWindow, ExceptionInAHandlerGoesToTheGeneralErrorHandlerAndTheWindowLivesOn) {
    g_reported.clear();
    fw::SetExceptionHandler(Record);
    ThrowingWindow w;
    ASSERT_TRUE(w.Create());
    EXPECT_EQ(::SendMessageW(w.Handle(), WM_APP, 0, 0), 0);
    ASSERT_EQ(g_reported.size(), 1u);
    EXPECT_EQ(g_reported[0], L"broken handler");
    EXPECT_EQ(::SendMessageW(w.Handle(), WM_APP + 1, 0, 0), 42);
    fw::SetExceptionHandler(nullptr);
}

TEST(TWindow, DestroyHandleNotifiesAndAllowsANewWindow) {
    ThrowingWindow w;
    ASSERT_TRUE(w.Create());
    w.DestroyHandle();
    EXPECT_FALSE(w.HandleAllocated());
    EXPECT_EQ(w.destroyed, 1);
    ASSERT_TRUE(w.Create());
    EXPECT_TRUE(::IsWindow(w.Handle()));
}

TEST(TWindow, SubclassedNativeControlKeepsItsOwnBehaviour) {
    NativeEdit e;
    ASSERT_TRUE(e.Create());
    ::SendMessageW(e.Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(e.chars, 1);
    wchar_t text[16]{};
    ::GetWindowTextW(e.Handle(), text, 16);
    EXPECT_EQ(std::wstring(text), L"xabc"); // caret at the start: the edit inserted the character
    EXPECT_EQ(fw::TWindow::FromHandle(e.Handle()), &e);
}
