// The single-instance check inside one process: the windows it is shown come from a test
// enumeration, so which window counts, which one is brought forward and what the starting copy
// then does can be seen directly.
#include "app/InstanceGuard.h"
#include "framework/Application.h"
#include "framework/Hooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<HWND> g_listed;

BOOL ListTestWindows(WNDENUMPROC proc, LPARAM param) {
    for (HWND hwnd : g_listed)
        if (!proc(hwnd, param)) return FALSE;
    return TRUE;
}

// A plain top-level window of the given class and title (class registered on first use).
HWND MakeWindow(const wchar_t* className, const wchar_t* title) {
    WNDCLASSW wc{};
    if (!::GetClassInfoW(::GetModuleHandleW(nullptr), className, &wc)) {
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        ::RegisterClassW(&wc);
    }
    return ::CreateWindowExW(0, className, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

bool QuitPosted() {
    MSG msg;
    bool quit = false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) quit = true;
    return quit;
}

class InstanceGuard : public ::testing::Test {
protected:
    void SetUp() override {
        QuitPosted();
        app_ = std::make_unique<TApplication>();
        Application->SetTitle(L"客户订货系统");
        hooks::enumWindows = ListTestWindows;
    }
    void TearDown() override {
        for (HWND hwnd : made_) ::DestroyWindow(hwnd);
        app_.reset();
        g_listed.clear();
        hooks::ResetAll();
        QuitPosted();
    }
    HWND Make(const wchar_t* className, const wchar_t* title) {
        HWND hwnd = MakeWindow(className, title);
        made_.push_back(hwnd);
        return hwnd;
    }

    std::unique_ptr<TApplication> app_;
    std::vector<HWND> made_;
};

TEST_F(InstanceGuard, AloneTheProgramRuns) {
    g_listed = {Make(L"TApplication", L"其他程序"), Application->Handle(),
                Make(L"TApplicationX", L"客户订货系统")};
    TInstanceGuard guard(nullptr);
    EXPECT_EQ(TInstanceGuard::MatchCount(), 1);
    EXPECT_EQ(TInstanceGuard::OtherWindow(), nullptr);
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_FALSE(QuitPosted());
}

TEST_F(InstanceGuard, OnlyTheExactClassAndTitleCount) {
    // Byte for byte and case-sensitive; a window without a title never counts.
    Application->SetTitle(L"Shop 客户");
    g_listed = {Application->Handle(),
                Make(L"TApplicationX", L"Shop 客户"),
                Make(L"TApplication", L"shop 客户"),
                Make(L"TApplication", L"Shop 客户 "),
                Make(L"TApplication", L"Shop"),
                Make(L"TApplication", L"")};
    TInstanceGuard guard(nullptr);
    EXPECT_EQ(TInstanceGuard::MatchCount(), 1);
    EXPECT_TRUE(Application->ShowMainForm);
}

TEST_F(InstanceGuard, ARunningCopyEndsThisOneAndTheLastMatchIsBroughtForward) {
    HWND first = Make(L"TApplication", L"客户订货系统");
    HWND last = Make(L"TApplication", L"客户订货系统");
    g_listed = {first, Application->Handle(), Make(L"TApplication", L"别的标题"), last};
    TInstanceGuard guard(nullptr);
    EXPECT_EQ(TInstanceGuard::MatchCount(), 3);
    EXPECT_EQ(TInstanceGuard::OtherWindow(), last);
    EXPECT_FALSE(Application->ShowMainForm);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(InstanceGuard, AMinimisedCopyIsRestored) {
    HWND other = Make(L"TApplication", L"客户订货系统");
    ::ShowWindow(other, SW_SHOWMINIMIZED);
    ASSERT_TRUE(::IsIconic(other));
    g_listed = {Application->Handle(), other};
    TInstanceGuard guard(nullptr);
    EXPECT_FALSE(::IsIconic(other));
    EXPECT_FALSE(Application->ShowMainForm);
}

TEST_F(InstanceGuard, TheOwnTitleIsReadAtTheCheckNotTheConfiguredOne) {
    // A copy whose title was changed later is not found by a start under another title.
    Application->SetTitle(L"华东分销");
    g_listed = {Make(L"TApplication", L"客户订货系统"), Application->Handle()};
    TInstanceGuard guard(nullptr);
    EXPECT_EQ(TInstanceGuard::MatchCount(), 1);
    EXPECT_TRUE(Application->ShowMainForm);
}

} // namespace
