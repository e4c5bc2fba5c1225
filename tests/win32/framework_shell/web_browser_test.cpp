// The embedded browser under Wine with the real system control: in-place activation, geometry,
// the before-navigate event with the exact address, frames, errors in handlers and teardown.
#include "framework/ErrorHandler.h"
#include "framework/Exception.h"
#include "framework/WebBrowser.h"
#include "framework/WinControl.h"

#include <gtest/gtest.h>

#include <exdispid.h>

#include <string>
#include <vector>

namespace {

// A top-level control window holding the browser.
class Parent : public TWinControl {
public:
    Parent() {
        SetBounds(0, 0, 640, 480);
        HandleNeeded();
    }
};

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG msg;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    }
}

// Pumps until pred holds or the time is up.
template <class Pred>
bool PumpUntil(Pred pred, int milliseconds = 3000) {
    for (int waited = 0; waited < milliseconds && !pred(); waited += 20) Pump(20);
    return pred();
}

HWND ControlWindow(TWebBrowser& b) {
    fw::ComPtr<IOleWindow> window;
    if (!b.Browser() || FAILED(b.Browser()->QueryInterface(IID_IOleWindow,
                                                         reinterpret_cast<void**>(window.ReleaseAndGetAddressOf()))))
        return nullptr;
    HWND hwnd = nullptr;
    window->GetWindow(&hwnd);
    return hwnd;
}

std::vector<std::wstring> g_reported;
void Record(const std::wstring& text) { g_reported.push_back(text); }

class WebBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        browser.SetBounds(0, 0, 300, 200);
        browser.SetParent(&parent);
    }
    void TearDown() override {
        browser.DestroyControl();
        ::OleUninitialize();
        fw::SetExceptionHandler(nullptr);
    }

    // Navigates and collects the addresses of the events raised, cancelling every navigation so
    // that nothing goes to the network.
    std::vector<std::wstring> NavigateAndCollect(const std::wstring& url) {
        std::vector<std::wstring> seen;
        browser.OnBeforeNavigate2 = [&](TObject* sender, const std::wstring& u, bool& cancel) {
            EXPECT_EQ(sender, &browser);
            seen.push_back(u);
            cancel = true;
        };
        browser.Navigate(url);
        PumpUntil([&] { return !seen.empty(); });
        browser.OnBeforeNavigate2 = nullptr;
        return seen;
    }

    Parent parent;
    TWebBrowser browser;
};

} // namespace

TEST_F(WebBrowserTest, ActivatesInPlaceInItsWindowAndFollowsItsBounds) {
    ASSERT_TRUE(browser.CreateControl());
    EXPECT_TRUE(browser.Active());
    EXPECT_EQ(::GetParent(browser.Handle()), parent.Handle());
    HWND control = ControlWindow(browser);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(::IsChild(browser.Handle(), control));

    auto controlSize = [&] {
        RECT r{};
        ::GetWindowRect(control, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    browser.SetBounds(10, 20, 400, 300);
    EXPECT_EQ(controlSize().cx, 400);
    EXPECT_EQ(controlSize().cy, 300);

    // Aligned to its parent's client area, as in the main window's frame panel.
    browser.SetAlign(alClient);
    parent.SetBounds(0, 0, 500, 350);
    EXPECT_EQ(browser.Width(), 500);
    EXPECT_EQ(browser.Height(), 350);
    EXPECT_EQ(controlSize().cx, 500);
    EXPECT_EQ(controlSize().cy, 350);
}

TEST_F(WebBrowserTest, BeforeNavigate2CarriesTheExactAddress) {
    ASSERT_TRUE(browser.CreateControl());
    // The first navigation raises the event inside Navigate, later ones after it returns.
    const std::wstring addresses[] = {
        L"http://127.0.0.1:9/shop/index.aspx?UserName=a%26b%23c&UserPass=0123456789abcdef0123456789abcdef",
        L"http://127.0.0.1:9//tarvelo.aspx?UserName=张三&UserPass=x",
        L"http://127.0.0.1:9/path/Exit.aspx#frag",
    };
    for (const std::wstring& url : addresses) {
        const std::vector<std::wstring> seen = NavigateAndCollect(url);
        ASSERT_EQ(seen.size(), 1u) << "no event for the navigation";
        EXPECT_EQ(seen[0], url);
    }
}

TEST_F(WebBrowserTest, FrameNavigationsReachTheSameEvent) {
    ASSERT_TRUE(browser.CreateControl());
    std::vector<std::wstring> seen;
    browser.OnBeforeNavigate2 = [&](TObject*, const std::wstring& u, bool&) { seen.push_back(u); };

    // A frame's navigation: its own dispatch object, the address by reference to a VARIANT.
    BSTR url = ::SysAllocString(L"http://host/frame/Exit.aspx?x=1");
    VARIANT urlValue;
    urlValue.vt = VT_BSTR;
    urlValue.bstrVal = url;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[7];
    for (VARIANT& a : args) ::VariantInit(&a);
    args[6].vt = VT_DISPATCH;
    args[6].pdispVal = nullptr; // the frame's own object; the event ignores it
    args[5].vt = VT_BYREF | VT_VARIANT;
    args[5].pvarVal = &urlValue;
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    DISPPARAMS params{args, nullptr, 7, 0};
    EXPECT_EQ(browser.EventSink()->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD,
                                          &params, nullptr, nullptr, nullptr),
              S_OK);
    ::SysFreeString(url);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], L"http://host/frame/Exit.aspx?x=1");
    EXPECT_EQ(cancel, VARIANT_FALSE);

    // Malformed argument lists are refused without calling the handler.
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(browser.EventSink()->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD,
                                          &none, nullptr, nullptr, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(WebBrowserTest, AnExceptionInTheHandlerGoesToTheGeneralErrorHandler) {
    g_reported.clear();
    fw::SetExceptionHandler(Record);
    ASSERT_TRUE(browser.CreateControl());
    browser.OnBeforeNavigate2 = [](TObject*, const std::wstring&, bool& cancel) {
        cancel = true;
        throw Exception(L"handler failed");
    };
    browser.Navigate(L"http://127.0.0.1:9/a");
    ASSERT_TRUE(PumpUntil([] { return !g_reported.empty(); }));
    EXPECT_EQ(g_reported[0], L"handler failed");
    // The control keeps working.
    EXPECT_EQ(NavigateAndCollect(L"http://127.0.0.1:9/b"),
              std::vector<std::wstring>{L"http://127.0.0.1:9/b"});
}

TEST_F(WebBrowserTest, KeysThePageDoesNotUseReachTheBrowsersWindowsUnchanged) {
    ASSERT_TRUE(browser.CreateControl());
    NavigateAndCollect(L"about:blank");
    HWND inner = ControlWindow(browser);
    ASSERT_NE(inner, nullptr);
    // Each keyboard message is offered to the control as it leaves the queue; here (no HTML
    // engine) the control uses none, so each one arrives as it was posted.
    const UINT keys[] = {VK_TAB, VK_RETURN, 'C', VK_F24};
    for (UINT vk : keys) {
        ::PostMessageW(inner, WM_KEYDOWN, vk, 1);
        MSG msg{};
        ASSERT_TRUE(::PeekMessageW(&msg, inner, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN)) << vk;
        EXPECT_EQ(msg.wParam, vk);
    }
}

TEST_F(WebBrowserTest, DestroyControlReleasesTheControlAndNavigateMakesItAgain) {
    ASSERT_TRUE(browser.CreateControl());
    HWND control = ControlWindow(browser);
    browser.DestroyControl();
    EXPECT_FALSE(browser.Active());
    EXPECT_FALSE(::IsWindow(control));
    EXPECT_EQ(browser.EventSink(), nullptr);
    EXPECT_TRUE(::IsWindow(browser.Handle()));
    browser.DestroyControl(); // twice is harmless

    EXPECT_EQ(NavigateAndCollect(L"http://127.0.0.1:9/again"),
              std::vector<std::wstring>{L"http://127.0.0.1:9/again"});
    EXPECT_TRUE(browser.Active());
}

TEST_F(WebBrowserTest, TheControlGoesWithItsWindow) {
    ASSERT_TRUE(browser.CreateControl());
    parent.DestroyHandle(); // the browser's window goes with its parent's
    EXPECT_FALSE(browser.Active());
    EXPECT_EQ(browser.EventSink(), nullptr);
}

TEST(WebBrowserWithoutOle, WithoutOleThereIsNoControlAndNavigateSaysSo) {
    Parent parent;
    TWebBrowser browser;
    browser.SetParent(&parent);
    EXPECT_FALSE(browser.CreateControl());
    EXPECT_FALSE(browser.Active());
    EXPECT_THROW(browser.Navigate(L"http://127.0.0.1:9/"), Exception);
    // Once OLE is initialised, the first navigation makes the control.
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    bool seen = false;
    browser.OnBeforeNavigate2 = [&](TObject*, const std::wstring&, bool& cancel) {
        seen = true;
        cancel = true;
    };
    browser.Navigate(L"http://127.0.0.1:9/late");
    EXPECT_TRUE(PumpUntil([&] { return seen; }));
    browser.DestroyControl();
    ::OleUninitialize();
}
