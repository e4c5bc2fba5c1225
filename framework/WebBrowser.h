#pragma once
// TWebBrowser: the system's web browser control (CLSID_WebBrowser) hosted in a child window of
// ours. We are its OLE container: a client site with in-place site and frame, and a separate
// event sink that receives DWebBrowserEvents2 through the control's connection point. The program
// needs two things of it: Navigate to a wide-character address, and OnBeforeNavigate2 before each
// navigation the control starts, for the top page and for frames alike.
//
// OLE must be initialised on the thread before Create, and the control must be destroyed
// (DestroyControl or the destructor) before OLE is uninitialised.
#include <windows.h>

#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/ComPtr.h"
#include "framework/Events.h"
#include "framework/Window.h"


// URL is the address the control is about to load; setting Cancel stops the navigation.
using TBeforeNavigate2Event =
    std::function<void(TObject* Sender, const std::wstring& URL, bool& Cancel)>;

class TWebBrowser : public TObject {
public:
    TWebBrowser();
    ~TWebBrowser() override;
    TWebBrowser(const TWebBrowser&) = delete;
    TWebBrowser& operator=(const TWebBrowser&) = delete;

    // Creates the host window as a child of parent at the given rectangle (parent's client
    // coordinates) and activates the browser control in place inside it. Returns false when the
    // control cannot be created (for example OLE not initialised); the object stays usable and
    // Create may be tried again.
    bool Create(HWND parent, const RECT& bounds);
    // Deactivates and closes the control, disconnects the event sink and releases every
    // interface, then destroys the host window. Safe to call more than once.
    void DestroyControl() noexcept;
    bool Active() const noexcept { return static_cast<bool>(browser_); }

    // Moves and sizes the host window; the control follows it.
    void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const;

    // Starts loading the address: no flags, no target frame, no post data, no extra headers.
    // Throws Exception when the control is missing or refuses the address.
    void Navigate(const std::wstring& url);

    // Gives the active control the chance to handle a keyboard message (Tab between fields,
    // clipboard keys); the message loop calls this before translating a message. Returns true
    // when the control used the message.
    bool TranslateAccelerator(MSG& msg) noexcept;

    HWND Handle() const noexcept;            // the host window
    IWebBrowser2* Browser() const noexcept { return browser_.Get(); }
    // The object advised to the control's DWebBrowserEvents2 connection point. The control calls
    // its Invoke for every event; tests call it the same way to raise events the platform cannot
    // produce here (frame navigations need an HTML engine).
    IDispatch* EventSink() const noexcept;

    TBeforeNavigate2Event OnBeforeNavigate2;

private:
    class Host;
    class Site;
    class Events;
    friend class Site;
    friend class Events;

    void HostResized() noexcept;
    void BeforeNavigate2(const std::wstring& url, bool& cancel);

    std::unique_ptr<Host> host_;
    Site* site_ = nullptr;     // one reference held while the control lives
    Events* events_ = nullptr; // one reference held while the control lives
    fw::ComPtr<IOleObject> oleObject_;
    fw::ComPtr<IOleInPlaceObject> inPlaceObject_;
    fw::ComPtr<IWebBrowser2> browser_;
    fw::ComPtr<IConnectionPoint> connectionPoint_;
    DWORD adviseCookie_ = 0;
};

