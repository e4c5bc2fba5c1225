#pragma once
// TWebBrowser: the system's web browser control (CLSID_WebBrowser) hosted in a control window of
// ours. We are its OLE container: a client site with in-place site and frame, and a separate
// event sink that receives DWebBrowserEvents2 through the control's connection point. The program
// needs two things of it: Navigate to a wide-character address, and OnBeforeNavigate2 before each
// navigation the control starts, for the top page and for frames alike.
//
// The browser control lives inside this control's window and follows its size (Align and
// anchors work as for any control). It is created when the window is made if OLE is initialised
// on the thread by then, otherwise by CreateControl or the first Navigate. It must be destroyed
// (DestroyControl, or destroying this object) before OLE is uninitialised.
#include <windows.h>

#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include <functional>
#include <string>

#include "framework/ComPtr.h"
#include "framework/Events.h"
#include "framework/WinControl.h"

// URL is the address the control is about to load; setting Cancel stops the navigation.
using TBeforeNavigate2Event =
    std::function<void(TObject* Sender, const std::wstring& URL, bool& Cancel)>;

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(TComponent* AOwner = nullptr);
    ~TWebBrowser() override;

    const wchar_t* ClassName() const override { return L"TWebBrowser"; }

    // Makes the window if needed and activates the browser control in place inside it. Returns
    // false when the control cannot be created (for example OLE not initialised on the thread);
    // it may be tried again later.
    bool CreateControl();
    // Deactivates and closes the control, disconnects the event sink and releases every
    // interface; the window stays. Safe to call more than once.
    void DestroyControl() noexcept;
    bool Active() const noexcept { return static_cast<bool>(browser_); }

    // Starts loading the address: no flags, no target frame, no post data, no extra headers.
    // Creates the control first if needed. Throws Exception when the control cannot be created
    // or refuses the address.
    void Navigate(const std::wstring& url);

    // Gives the active control the chance to handle a keyboard message for one of its windows
    // (Tab between a page's fields, Enter, clipboard keys); true when the control used it. Every
    // keyboard message the thread takes from its queue is offered this way while the control
    // is active, before the message loop sees it.
    bool TranslateAccelerator(MSG& msg) noexcept;

    IWebBrowser2* Browser() const noexcept { return browser_.Get(); }
    // The object advised to the control's DWebBrowserEvents2 connection point. The control calls
    // its Invoke for every event; tests call it the same way to raise events the platform cannot
    // produce here (frame navigations need an HTML engine).
    IDispatch* EventSink() const noexcept;

    TBeforeNavigate2Event OnBeforeNavigate2;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool EraseBackground(HDC dc) override;

private:
    class Site;
    class Events;
    friend class Site;
    friend class Events;

    void Resized() noexcept;
    void BeforeNavigate2(const std::wstring& url, bool& cancel);

    Site* site_ = nullptr;     // one reference held while the control lives
    Events* events_ = nullptr; // one reference held while the control lives
    fw::ComPtr<IOleObject> oleObject_;
    fw::ComPtr<IOleInPlaceObject> inPlaceObject_;
    fw::ComPtr<IWebBrowser2> browser_;
    fw::ComPtr<IConnectionPoint> connectionPoint_;
    DWORD adviseCookie_ = 0;
};

