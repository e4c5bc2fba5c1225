// The tray icon: what it asks of the notification area, its click and menu mechanics, the
// taskbar restart, the owner window coming forward and the application window's restore command.
#include "framework/ErrorHandler.h"
#include "framework/PopupMenu.h"
#include "framework/TrayIcon.h"
#include "framework/Window.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ShellCall {
    DWORD message;
    HWND hwnd;
    UINT id;
    UINT callback;
    HICON icon;
    std::wstring tip;
};
std::vector<ShellCall> g_calls;
BOOL g_shellAnswer = TRUE;

BOOL RecordNotify(DWORD message, NOTIFYICONDATAW* data) {
    g_calls.push_back({message, data->hWnd, data->uID, data->uCallbackMessage, data->hIcon, data->szTip});
    return g_shellAnswer;
}

std::vector<DWORD> Messages() {
    std::vector<DWORD> out;
    for (const ShellCall& c : g_calls) out.push_back(c.message);
    return out;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// A plain top-level window that records what it is sent.
class TestWindow : public fw::TWindow {
public:
    explicit TestWindow(HWND owner = nullptr, const wchar_t* text = L"test") {
        RegisterClass(L"OrderTrayTestWindow");
        CreateOwnHandle(0, L"OrderTrayTestWindow", text, WS_POPUP, 100, 100, 200, 100, owner, nullptr);
    }
    std::vector<std::string> log;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_NULL) log.push_back("null");
        if (msg == WM_SYSCOMMAND) log.push_back("syscommand");
        return fw::TWindow::WndProc(msg, wParam, lParam);
    }
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_shellAnswer = TRUE;
        TTrayIcon::notifyHook = RecordNotify;
    }
    void TearDown() override {
        TTrayIcon::notifyHook = [](DWORD m, NOTIFYICONDATAW* d) { return ::Shell_NotifyIconW(m, d); };
        TPopupMenu::trackHook = nullptr;
    }
    void Mouse(TTrayIcon& tray, UINT mouseMessage) {
        ::SendMessageW(tray.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId, mouseMessage);
    }
};

} // namespace

TEST_F(TrayIconTest, AddsItsIconWithTooltipAndCallbackOnlyWhileVisible) {
    {
        TTrayIcon tray;
        tray.SetHint(L"客户订货系统");
        tray.SetIconResource(IDI_APP);
        EXPECT_TRUE(g_calls.empty()) << "hidden at creation";

        tray.SetIconVisible(true);
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(g_calls[0].hwnd, tray.Handle());
        EXPECT_EQ(g_calls[0].id, TTrayIcon::IconId);
        EXPECT_EQ(g_calls[0].callback, TTrayIcon::CallbackMessage);
        EXPECT_EQ(g_calls[0].icon, tray.Icon());
        EXPECT_EQ(g_calls[0].tip, L"客户订货系统");
        EXPECT_TRUE(tray.IconAdded());

        tray.SetHint(L"新提示");
        EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(g_calls.back().tip, L"新提示");

        tray.SetIconVisible(false);
        EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_DELETE));
        EXPECT_FALSE(tray.IconAdded());
        tray.SetIconVisible(true);
    }
    // Destroyed while visible: the icon is removed.
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_ADD, NIM_DELETE}));

    g_calls.clear();
    { TTrayIcon hidden; }
    EXPECT_TRUE(g_calls.empty()) << "nothing to remove for an icon never shown";
}

TEST_F(TrayIconTest, TheIconIsTheProgramIconAtTheSmallIconSize) {
    TTrayIcon tray;
    tray.SetIconResource(IDI_APP);
    ASSERT_NE(tray.Icon(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(tray.Icon(), &info));
    BITMAP bm{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(bm.bmWidth, 16);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
}

TEST_F(TrayIconTest, ARefusedIconIsToleratedAndTheRealNotificationAreaIsNotRequired) {
    g_shellAnswer = FALSE;
    TTrayIcon tray;
    tray.SetIconVisible(true);
    EXPECT_TRUE(tray.IconVisible());
    EXPECT_FALSE(tray.IconAdded());
    tray.SetIconVisible(false);
    EXPECT_FALSE(tray.IconVisible());

    // The system's own call (which Wine's null display driver refuses) behaves the same.
    TearDown();
    TTrayIcon real;
    real.SetIconVisible(true);
    EXPECT_TRUE(real.IconVisible());
    real.SetIconVisible(false);
}

TEST_F(TrayIconTest, ALeftPressAndReleaseClickAtOnce) {
    struct Case {
        const char* name;
        std::vector<UINT> mouse;
        int clicks;
    };
    const Case cases[] = {
        {"press and release", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 1},
        {"release alone", {WM_LBUTTONUP}, 0},
        {"press alone", {WM_LBUTTONDOWN}, 0},
        {"double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 2},
        {"right button", {WM_RBUTTONDOWN, WM_RBUTTONUP}, 0},
        {"moving over it", {WM_MOUSEMOVE}, 0},
    };
    for (const Case& c : cases) {
        TTrayIcon tray;
        int clicks = 0;
        tray.OnClick = [&](TObject* sender) {
            EXPECT_EQ(sender, &tray);
            ++clicks;
        };
        for (UINT m : c.mouse) Mouse(tray, m);
        EXPECT_EQ(clicks, c.clicks) << c.name;
    }
}

TEST_F(TrayIconTest, ARightPressOpensTheMenuAtTheMouseThenPostsAnEmptyMessageToTheOwner) {
    static POINT s_at;
    static int s_tracked;
    s_tracked = 0;
    TPopupMenu::trackHook = [](HMENU, int x, int y, HWND) -> UINT {
        s_at = POINT{x, y};
        ++s_tracked;
        return 1; // the first item
    };
    TestWindow app(nullptr, L"app");
    TestWindow owner(app.Handle(), L"main");
    TPopupMenu menu;
    TMenuItem item(&menu);
    item.SetCaption(L"退出系统");
    menu.Items().Add(&item);
    int chosen = 0;
    item.OnClick = [&](TObject*) {
        ++chosen;
        EXPECT_TRUE(owner.log.empty()) << "the empty message comes after the menu";
    };

    TTrayIcon tray;
    tray.SetOwnerWindow(owner.Handle());
    EXPECT_EQ(tray.ApplicationWindow(), app.Handle());
    tray.SetPopupMenu(&menu);
    ::SetCursorPos(300, 200);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    Mouse(tray, WM_RBUTTONDOWN);
    EXPECT_EQ(s_tracked, 1);
    EXPECT_EQ(s_at.x, cursor.x);
    EXPECT_EQ(s_at.y, cursor.y);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(menu.PopupComponent(), &tray);
    Pump();
    EXPECT_EQ(owner.log, (std::vector<std::string>{"null"}));

    // With AutoPopup off, or without a menu, a right press does nothing.
    menu.SetAutoPopup(false);
    Mouse(tray, WM_RBUTTONDOWN);
    tray.SetPopupMenu(nullptr);
    Mouse(tray, WM_RBUTTONDOWN);
    EXPECT_EQ(s_tracked, 1);
}

TEST_F(TrayIconTest, AMenuDestroyedFirstIsForgotten) {
    TTrayIcon tray;
    {
        TPopupMenu menu;
        tray.SetPopupMenu(&menu);
    }
    EXPECT_EQ(tray.PopupMenu(), nullptr);
    Mouse(tray, WM_RBUTTONDOWN); // nothing to open
}

TEST_F(TrayIconTest, TheTaskbarRestartBroadcastAddsAVisibleIconAgain) {
    TTrayIcon tray;
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    // A broadcast reaches top-level windows only: the tray's window must be one.
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_TRUE(g_calls.empty()) << "no icon while it is hidden";

    tray.SetIconVisible(true);
    g_calls.clear();
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
    EXPECT_EQ(g_calls[0].hwnd, tray.Handle());
}

TEST_F(TrayIconTest, TheOwnerWindowComesToTheFrontWhenItIsShown) {
    TestWindow app(nullptr, L"app");
    TestWindow owner(app.Handle(), L"main");
    TestWindow other(nullptr, L"other");
    TTrayIcon tray;
    tray.SetOwnerWindow(owner.Handle());

    ::ShowWindow(other.Handle(), SW_SHOW);
    ::SetForegroundWindow(other.Handle());
    ASSERT_EQ(::GetForegroundWindow(), other.Handle());
    ::ShowWindow(owner.Handle(), SW_SHOWNA); // shown without activation by itself
    EXPECT_EQ(::GetForegroundWindow(), owner.Handle());

    // Showing something else, or the owner again while shown, changes nothing.
    ::SetForegroundWindow(other.Handle());
    ::ShowWindow(owner.Handle(), SW_SHOWNA);
    EXPECT_EQ(::GetForegroundWindow(), other.Handle());
}

TEST_F(TrayIconTest, TheApplicationRestoreCommandRunsTheHookFirst) {
    struct Case {
        WPARAM command;
        bool hook;
    };
    const Case cases[] = {{SC_RESTORE, true}, {SC_MINIMIZE, false}, {SC_MAXIMIZE, false},
                          {SC_RESTORE | 2, false}};
    for (const Case& c : cases) {
        TestWindow app(nullptr, L"app");
        TestWindow owner(app.Handle(), L"main");
        TTrayIcon tray;
        tray.SetOwnerWindow(owner.Handle());
        tray.OnApplicationRestore = [&] { app.log.push_back("hook"); };
        ::SendMessageW(app.Handle(), WM_SYSCOMMAND, c.command, 0);
        const std::vector<std::string> expected =
            c.hook ? std::vector<std::string>{"hook", "syscommand"} : std::vector<std::string>{"syscommand"};
        EXPECT_EQ(app.log, expected) << std::hex << c.command;
        // The owner's own commands are not the application's.
        app.log.clear();
        ::SendMessageW(owner.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(app.log.empty());
    }
}
