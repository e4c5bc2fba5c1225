// The embedded browser under Wine with the real system control: in-place activation, geometry,
// the before-navigate event with the exact address, frames, errors in handlers and teardown.
#include "framework/ErrorHandler.h"
#include "framework/Exception.h"
#include "framework/WebBrowser.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <exdispid.h>

#include <string>
#include <vector>

namespace {

class Parent : public fw::TWindow {
public:
    Parent() {
        RegisterClass(L"OrderBrowserTestParent");
        CreateOwnHandle(0, L"OrderBrowserTestParent", L"parent",
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640, 480, nullptr, nullptr);
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
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
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

TEST_F(WebBrowserTest, ActivatesInPlaceInsideItsHostAndFollowsSetBounds) {
    ASSERT_TRUE(browser.Create(parent.Handle(), RECT{5, 5, 305, 205}));
    EXPECT_TRUE(browser.Active());
    EXPECT_EQ(::GetParent(browser.Handle()), parent.Handle());
    HWND control = ControlWindow(browser);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(::IsChild(browser.Handle(), control));

    browser.SetBounds(10, 20, 400, 300);
    const RECT bounds = browser.BoundsRect();
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 20);
    EXPECT_EQ(bounds.right - bounds.left, 400);
    EXPECT_EQ(bounds.bottom - bounds.top, 300);
    RECT r{};
    ::GetWindowRect(control, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
}

TEST_F(WebBrowserTest, BeforeNavigate2CarriesTheExactAddress) {
    ASSERT_TRUE(browser.Create(parent.Handle(), RECT{0, 0, 300, 200}));
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
    ASSERT_TRUE(browser.Create(parent.Handle(), RECT{0, 0, 300, 200}));
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
    ASSERT_TRUE(browser.Create(parent.Handle(), RECT{0, 0, 300, 200}));
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

TEST_F(WebBrowserTest, DestroyControlReleasesEverythingAndLeavesTheObjectUsable) {
    ASSERT_TRUE(browser.Create(parent.Handle(), RECT{0, 0, 300, 200}));
    HWND host = browser.Handle();
    browser.DestroyControl();
    EXPECT_FALSE(browser.Active());
    EXPECT_FALSE(::IsWindow(host));
    EXPECT_EQ(browser.EventSink(), nullptr);
    EXPECT_THROW(browser.Navigate(L"http://127.0.0.1:9/"), Exception);
    browser.DestroyControl(); // twice is harmless

    ASSERT_TRUE(browser.Create(parent.Handle(), RECT{0, 0, 300, 200}));
    EXPECT_EQ(NavigateAndCollect(L"http://127.0.0.1:9/again"),
              std::vector<std::wstring>{L"http://127.0.0.1:9/again"});
}

TEST(WebBrowserWithoutOle, CreateFailsCleanlyWhenOleIsNotInitialised) {
    Parent parent;
    TWebBrowser browser;
    EXPECT_FALSE(browser.Create(parent.Handle(), RECT{0, 0, 100, 100}));
    EXPECT_FALSE(browser.Active());
    EXPECT_FALSE(::IsWindow(browser.Handle()));
}
