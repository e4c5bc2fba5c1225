// The main window under Wine with the real browser control: its texts, the maximize toggle and
// its height rules, the start-up maximize, the drag, the exit page, the confirmed close and the
// order of OLE and the browser, hiding the sign-in window, and the tray icon with its menu.
#include "framework/Application.h"
#include "framework/Hooks.h"
#include "shell/unMainForm.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"

#include <gtest/gtest.h>

#include <exdispid.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// 5 March 2024, a Tuesday.
void PinnedClock(SYSTEMTIME* now) {
    *now = SYSTEMTIME{};
    now->wYear = 2024;
    now->wMonth = 3;
    now->wDay = 5;
    now->wDayOfWeek = 2;
    now->wHour = 23;
    now->wMinute = 59;
}

struct ShellOpen {
    HWND parent;
    std::wstring file;
    int show;
};
std::vector<ShellOpen> g_opened;
void RecordShellOpen(HWND parent, const wchar_t* file, int show) { g_opened.push_back({parent, file, show}); }

int g_answer = IDOK;
std::vector<drive::ShownBox> g_boxes;
int AnswerBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    g_boxes.push_back({text, caption, flags, owner, L""});
    return g_answer;
}

std::vector<DWORD> g_trayCalls;
BOOL RecordTray(DWORD message, NOTIFYICONDATAW*) {
    g_trayCalls.push_back(message);
    return TRUE;
}

// Handles the waiting messages for a while without ending at the quit message; tells whether one
// was posted.
bool Pump(int milliseconds) {
    bool quit = false;
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
    return quit;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

MONITORINFO Monitor(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info);
    return info;
}

// The main window with two seams of a test: the system move command is recorded instead of
// carried out (it would wait for the mouse), and the maximized height can be made small.
class TestMainForm : public TfmMainForm {
public:
    using TfmMainForm::TfmMainForm;
    int moves = 0;
    int maxHeight = 0; // 0: the system's

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SYSCOMMAND && wParam == 0xF012) {
            ++moves;
            return 0;
        }
        const LRESULT result = TfmMainForm::WndProc(msg, wParam, lParam);
        if (msg == WM_GETMINMAXINFO && maxHeight > 0)
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxSize.y = maxHeight;
        return result;
    }
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        drive::ClearSettings();
        hooks::ResetAll();
        hooks::clock = PinnedClock;
        hooks::shellOpen = RecordShellOpen;
        hooks::messageBox = AnswerBox;
        g_opened.clear();
        g_boxes.clear();
        g_answer = IDOK;
        app = std::make_unique<TApplication>();
        app->CreateForm(fmLogin);
    }
    void TearDown() override {
        app.reset();
        drive::DrainQueue();
        hooks::ResetAll();
        TTrayIcon::notifyHook = [](DWORD m, NOTIFYICONDATAW* d) { return ::Shell_NotifyIconW(m, d); };
        TPopupMenu::trackHook = nullptr;
        drive::ClearSettings();
    }

    TestMainForm& Open() {
        TestMainForm* form = nullptr;
        app->CreateForm(form);
        fmMainForm = form;
        form->Show();
        Pump(20);
        return *form;
    }

    // A left click on the tray icon, as the notification area reports it.
    void ClickTrayIcon(TfmMainForm& f) {
        ::SendMessageW(f.TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId, WM_LBUTTONDOWN);
        ::SendMessageW(f.TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId, WM_LBUTTONUP);
    }

    std::unique_ptr<TApplication> app;
};

// Raises the browser's before-navigate event for a frame, as the control does for each frame.
void FrameNavigation(TWebBrowser& browser, const wchar_t* address) {
    BSTR url = ::SysAllocString(address);
    VARIANT urlValue;
    urlValue.vt = VT_BSTR;
    urlValue.bstrVal = url;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[7];
    for (VARIANT& a : args) ::VariantInit(&a);
    args[5].vt = VT_BYREF | VT_VARIANT;
    args[5].pvarVal = &urlValue;
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    DISPPARAMS params{args, nullptr, 7, 0};
    browser.EventSink()->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &params,
                                nullptr, nullptr, nullptr);
    ::SysFreeString(url);
}

} // namespace

TEST_F(MainFormTest, OpensAt980By680AtTheFirstPositionWithTheDateAndStatusTexts) {
    drive::PutSetting(L"Url", L"http://127.0.0.1:8080");
    TestMainForm& f = Open();
    const POINT at = TfmMainForm::FirstPosition();
    const int deskW = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), deskH = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(at.x, std::max((deskW - 972) / 2, 0));
    EXPECT_EQ(at.y, std::max((deskH - 645) / 2, 0));
    const RECT r = WindowRect(f.Handle());
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y);
    EXPECT_EQ(r.right - r.left, 980);
    EXPECT_EQ(r.bottom - r.top, 680);
    EXPECT_EQ(f.lbDate.Caption(), L"2024年03月05日 星期二");
    EXPECT_EQ(f.Label1.Caption(), L"老板，您正在使用客户订货系统，访问网址：http://127.0.0.1:8080");
    EXPECT_TRUE(f.WebBrowser1.Active()) << "OLE is initialised and the control made by FormCreate";
    EXPECT_TRUE(f.OleInitialised());
    // The browser fills its frame, 5 pixels inside it on every side.
    EXPECT_EQ(f.WebBrowser1.Left(), 5);
    EXPECT_EQ(f.WebBrowser1.Top(), 5);
    EXPECT_EQ(f.WebBrowser1.Width(), f.BmpPanel2.Width() - 10);
    EXPECT_EQ(f.WebBrowser1.Height(), f.BmpPanel2.Height() - 10);
}

TEST_F(MainFormTest, TheStatusTextIsRebuiltFromTheSettingsAtEveryShow) {
    struct Case {
        const wchar_t* title; // null: not stored
        const wchar_t* url;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {nullptr, L"http://a.example", L"老板，您正在使用客户订货系统，访问网址：http://a.example"},
        {L"某某商城", L"http://b.example/", L"老板，您正在使用某某商城，访问网址：http://b.example/"},
        {L"   ", L"http://c.example", L"老板，您正在使用客户订货系统，访问网址：http://c.example"},
        {L"某某商城", nullptr, L"老板，您正在使用某某商城，访问网址："},
    };
    TestMainForm& f = Open();
    for (const Case& c : cases) {
        drive::ClearSettings();
        if (c.title) drive::PutSetting(L"Title", c.title);
        if (c.url) drive::PutSetting(L"Url", c.url);
        f.Hide();
        f.Show();
        EXPECT_EQ(f.Label1.Caption(), c.expected);
    }
}

TEST_F(MainFormTest, MaximizeToggleCutsThirtyThreePixelsAndRestoresTheFirstPlace) {
    TestMainForm& f = Open();
    const RECT normal = WindowRect(f.Handle());
    const MONITORINFO mon = Monitor(f.Handle());
    const int fullHeight = mon.rcMonitor.bottom - mon.rcMonitor.top;

    f.buttMaxClick(&f.buttMax);
    EXPECT_EQ(f.buttMax.Tag(), 1);
    EXPECT_TRUE(::IsZoomed(f.Handle()));
    RECT r = WindowRect(f.Handle());
    EXPECT_EQ(r.top, mon.rcMonitor.top);
    EXPECT_EQ(r.bottom - r.top, std::max(fullHeight - 33, 680));
    EXPECT_EQ(f.Height(), r.bottom - r.top);

    f.buttMaxClick(&f.buttMax);
    EXPECT_EQ(f.buttMax.Tag(), 0);
    EXPECT_FALSE(::IsZoomed(f.Handle()));
    r = WindowRect(f.Handle());
    EXPECT_TRUE(::EqualRect(&r, &normal)) << "back to 980 x 680 at the first position";

    // Maximized by other means, the flag does not follow: the toggle maximizes again.
    ::ShowWindow(f.Handle(), SW_SHOWMAXIMIZED);
    f.buttMaxClick(&f.buttMax);
    EXPECT_EQ(f.buttMax.Tag(), 1);
    EXPECT_TRUE(::IsZoomed(f.Handle()));
}

TEST_F(MainFormTest, AfterTheCutTheHeightIsNeverBelow680) {
    TestMainForm& f = Open();
    f.maxHeight = 700; // a small screen: 700 - 33 would be 667
    f.buttMaxClick(&f.buttMax);
    EXPECT_EQ(WindowRect(f.Handle()).bottom - WindowRect(f.Handle()).top, 680);
    f.SetHeight(100);
    EXPECT_EQ(f.Height(), 680);
    f.SetWidth(500);
    EXPECT_EQ(f.Width(), 980);
}

TEST_F(MainFormTest, TheTimerMaximizesExactlyOnceShortlyAfterCreation) {
    TestMainForm& f = Open();
    EXPECT_EQ(f.Timer1.Interval(), 300u);
    EXPECT_EQ(f.buttMax.Tag(), 0) << "not before the message loop runs";
    Pump(700);
    EXPECT_EQ(f.buttMax.Tag(), 1);
    EXPECT_TRUE(::IsZoomed(f.Handle()));
    EXPECT_FALSE(f.Timer1.Enabled());
    Pump(700);
    EXPECT_EQ(f.buttMax.Tag(), 1) << "the timer never runs again";
    EXPECT_TRUE(::IsZoomed(f.Handle()));
}

TEST_F(MainFormTest, AnyMouseButtonOnTheTitleOrStatusBarDragsButNotOnTheirControls) {
    TestMainForm& f = Open();
    struct Case {
        TWinControl* target;
        int x, y;
        UINT message;
        int moves;
    };
    const Case cases[] = {
        {&f.BmpPanel1, 500, 30, WM_LBUTTONDOWN, 1},
        {&f.BmpPanel1, 500, 30, WM_RBUTTONDOWN, 1},
        {&f.BmpPanel1, 500, 30, WM_MBUTTONDOWN, 1},
        {&f.bpState, 500, 25, WM_LBUTTONDOWN, 1},
        {&f.bpState, 500, 25, WM_RBUTTONDOWN, 1},
        {&f.BmpPanel1, 10, 10, WM_LBUTTONDOWN, 0}, // on the logo
        {&f.bpState, f.Label1.Left() + 2, f.Label1.Top() + 2, WM_LBUTTONDOWN, 0},
    };
    for (const Case& c : cases) {
        f.moves = 0;
        const WPARAM keys = c.message == WM_LBUTTONDOWN ? MK_LBUTTON : c.message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_MBUTTON;
        ::SendMessageW(c.target->Handle(), c.message, keys, MAKELPARAM(c.x, c.y));
        ::SendMessageW(c.target->Handle(), c.message + 1, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(f.moves, c.moves) << c.target->Name().c_str() << " at " << c.x << "," << c.y;
    }
}

TEST_F(MainFormTest, ADoubleClickOnTheTitleBarToggles) {
    TestMainForm& f = Open();
    ::SendMessageW(f.BmpPanel1.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(500, 30));
    ::SendMessageW(f.BmpPanel1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 30));
    EXPECT_EQ(f.buttMax.Tag(), 1);
    EXPECT_TRUE(::IsZoomed(f.Handle()));
}

TEST_F(MainFormTest, ANavigationToTheExitPageEndsTheProgramWithoutAQuestion) {
    TestMainForm& f = Open();
    struct Case {
        const wchar_t* address;
        bool frame;
        bool ends;
    };
    const Case cases[] = {
        {L"http://127.0.0.1:9/Exit.aspx", false, true},
        {L"http://127.0.0.1:9/shop/page.aspx?next=Exit.aspx&x=1", false, true},
        {L"http://127.0.0.1:9/frames/Exit.aspx", true, true},
        {L"http://127.0.0.1:9/exit.aspx", false, false},
        {L"http://127.0.0.1:9/EXIT.ASPX", false, false},
        {L"http://127.0.0.1:9/frames/exit.aspx", true, false},
    };
    for (const Case& c : cases) {
        Pump(10);
        if (c.frame)
            FrameNavigation(f.WebBrowser1, c.address);
        else
            f.WebBrowser1.Navigate(c.address);
        EXPECT_EQ(Pump(50), c.ends) << c.address;
    }
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(MainFormTest, CloseAsksAndCancelLeavesEverythingAsItWas) {
    TestMainForm& f = Open();
    g_answer = IDCANCEL;
    const RECT before = WindowRect(f.Handle());
    f.ButtCloseClick(&f.buttClose);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"确认退出订货系统吗？");
    EXPECT_EQ(g_boxes[0].caption, L"提示");
    EXPECT_EQ(g_boxes[0].flags, 65u);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    const RECT after = WindowRect(f.Handle());
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_TRUE(f.WebBrowser1.Active());
    EXPECT_FALSE(Pump(20));
}

TEST_F(MainFormTest, CloseConfirmedReleasesTheBrowserBeforeOleEndsAndEndsTheProgram) {
    TestMainForm& f = Open();
    f.ButtCloseClick(&f.buttClose);
    EXPECT_FALSE(f.WebBrowser1.Active());
    EXPECT_FALSE(f.OleInitialised());
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    EXPECT_TRUE(Pump(20)) << "the quit message is posted";
}

TEST_F(MainFormTest, APaintHidesTheSignInWindow) {
    fmLogin->Show();
    TestMainForm& f = Open();
    fmLogin->Show();
    ASSERT_TRUE(::IsWindowVisible(fmLogin->Handle()));
    ::RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(::IsWindowVisible(fmLogin->Handle()));
}

// ---- tray ----

TEST_F(MainFormTest, HiddenToTheTrayAndBackInTheNormalState) {
    g_trayCalls.clear();
    TTrayIcon::notifyHook = RecordTray;
    TestMainForm& f = Open();
    EXPECT_FALSE(f.TrayIcon1.IconVisible());
    const RECT before = WindowRect(f.Handle());

    f.buttMinClick(&f.buttMin);
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    EXPECT_TRUE(f.TrayIcon1.IconVisible());
    EXPECT_FALSE(::IsWindowVisible(app->Handle())) << "no taskbar button while in the tray";

    drive::PutSetting(L"Title", L"新标题");
    ClickTrayIcon(f);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_FALSE(f.TrayIcon1.IconVisible());
    const RECT after = WindowRect(f.Handle());
    EXPECT_TRUE(::EqualRect(&before, &after)) << "980 x 680 stays 980 x 680";
    EXPECT_EQ(f.Label1.Caption(), L"老板，您正在使用新标题，访问网址：") << "the show handler ran again";
    EXPECT_EQ(g_trayCalls, (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
}

TEST_F(MainFormTest, AWindowHiddenMaximizedComesBackMaximizedAsBefore) {
    TestMainForm& f = Open();
    f.buttMaxClick(&f.buttMax);
    const RECT before = WindowRect(f.Handle());
    f.buttMinClick(&f.buttMin);
    ClickTrayIcon(f);
    EXPECT_TRUE(::IsZoomed(f.Handle()));
    const RECT after = WindowRect(f.Handle());
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_EQ(f.buttMax.Tag(), 1) << "the flag is not touched";
    // And the toggle still restores to the first place.
    f.buttMaxClick(&f.buttMax);
    EXPECT_EQ(WindowRect(f.Handle()).right - WindowRect(f.Handle()).left, 980);
}

TEST_F(MainFormTest, TheTrayMenuHasThreeEntriesOpeningTheTwoAddressesAndTheConfirmedExit) {
    TestMainForm& f = Open();
    TMenuItem& root = f.PopupMenu1.Items();
    ASSERT_EQ(root.Count(), 5);
    const wchar_t* captions[] = {L"技术支持", L"-", L"使用帮助", L"-", L"退出系统"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(root.Items(i)->Caption(), captions[i]);
    EXPECT_EQ(f.PopupMenu1.ItemDrawer(), &f.MenuStyler1);

    f.buttMinClick(&f.buttMin);
    // Each entry chosen through a right press on the icon; the menu returns the item's command.
    static int s_position;
    TPopupMenu::trackHook = [](HMENU menu, int, int, HWND) -> UINT {
        return ::GetMenuItemID(menu, s_position);
    };
    auto choose = [&](int position) {
        s_position = position;
        ::SendMessageW(f.TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId, WM_RBUTTONDOWN);
    };
    choose(0);
    choose(2);
    ASSERT_EQ(g_opened.size(), 2u);
    EXPECT_EQ(g_opened[0].file, L"http://support.example.com");
    EXPECT_EQ(g_opened[1].file, L"http://support.example.com/help/BuyHTML/");
    for (const ShellOpen& o : g_opened) {
        EXPECT_EQ(o.parent, f.Handle());
        EXPECT_EQ(o.show, SW_SHOWNORMAL);
    }
    EXPECT_FALSE(::IsWindowVisible(f.Handle())) << "the window stays in the tray";
    EXPECT_TRUE(f.TrayIcon1.IconVisible());

    g_answer = IDCANCEL;
    choose(4);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"确认退出订货系统吗？");
    EXPECT_FALSE(::IsWindowVisible(f.Handle())) << "Cancel leaves the window hidden";
    EXPECT_TRUE(f.TrayIcon1.IconVisible()) << "and the icon in the tray";
    EXPECT_FALSE(Pump(20));

    g_answer = IDOK;
    choose(4);
    EXPECT_TRUE(Pump(20)) << "OK ends the program";
}

TEST_F(MainFormTest, NoIconIsLeftWhenTheProgramEndsInTheTray) {
    g_trayCalls.clear();
    TTrayIcon::notifyHook = RecordTray;
    TestMainForm& f = Open();
    f.buttMinClick(&f.buttMin);
    app.reset(); // the end of the program destroys every form
    EXPECT_EQ(g_trayCalls, (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
}

TEST_F(MainFormTest, TheProgramWorksWhereTheNotificationAreaRefusesTheIcon) {
    TestMainForm& f = Open(); // the null display driver's notification area refuses every icon
    f.buttMinClick(&f.buttMin);
    EXPECT_TRUE(f.TrayIcon1.IconVisible());
    EXPECT_FALSE(f.TrayIcon1.IconAdded());
    ClickTrayIcon(f);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_FALSE(f.TrayIcon1.IconVisible());
}

TEST_F(MainFormTest, TheApplicationRestoreCommandShowsTheSignInWindowUntilTheNextPaint) {
    TestMainForm& f = Open();
    ASSERT_FALSE(::IsWindowVisible(fmLogin->Handle()));
    ::SendMessageW(app->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(::IsWindowVisible(fmLogin->Handle()));
    ::RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(::IsWindowVisible(fmLogin->Handle()));
}

TEST_F(MainFormTest, CaptionButtonsStayFlushWithTheRightEdgeOneAboveTheTop) {
    TestMainForm& f = Open();
    auto expectFlush = [&](const char* when) {
        EXPECT_EQ(f.Panel1.Left() + f.Panel1.Width(), f.BmpPanel1.Width()) << when;
        EXPECT_EQ(f.Panel1.Top(), -1) << when;
    };
    expectFlush("first show");
    f.buttMaxClick(&f.buttMax);
    expectFlush("maximized");
    f.buttMaxClick(&f.buttMax);
    expectFlush("restored");
}
