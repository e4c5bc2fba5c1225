#include "framework/WebBrowser.h"

#include <exdispid.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "framework/ErrorHandler.h"
#include "framework/Exception.h"

// COM interfaces have no virtual destructors by design; our objects delete themselves in Release.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"


namespace {

// The text of a BSTR argument, which the control may pass by value or by reference to a VARIANT.
std::wstring VariantText(const VARIANT* v) {
    while (v && v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
    if (!v) return {};
    if (v->vt == VT_BSTR && v->bstrVal) return std::wstring(v->bstrVal, ::SysStringLen(v->bstrVal));
    if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal && *v->pbstrVal)
        return std::wstring(*v->pbstrVal, ::SysStringLen(*v->pbstrVal));
    return {};
}

// The active browsers of this thread, and the hook through which they see keyboard messages
// before the message loop handles them: the browser turns Tab, Enter and the clipboard keys into
// its page's actions, and a message it used does not go on (it becomes WM_NULL), so the form's
// own dialog keys never take a key from the page.
struct KeyboardRoute {
    std::vector<TWebBrowser*> browsers;
    HHOOK hook = nullptr;
};
thread_local KeyboardRoute t_keyboard;

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
            for (size_t i = 0; i < t_keyboard.browsers.size(); ++i) {
                if (t_keyboard.browsers[i]->TranslateAccelerator(*msg)) {
                    msg->message = WM_NULL;
                    break;
                }
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void RouteKeyboard(TWebBrowser* browser, bool on) noexcept {
    auto& list = t_keyboard.browsers;
    list.erase(std::remove(list.begin(), list.end(), browser), list.end());
    if (on) {
        try {
            list.push_back(browser);
        } catch (...) {
            // Out of memory: the browser simply gets no keyboard translation.
        }
    }
    if (!list.empty() && !t_keyboard.hook)
        t_keyboard.hook = ::SetWindowsHookExW(WH_GETMESSAGE, KeyboardProc, nullptr, ::GetCurrentThreadId());
    if (list.empty() && t_keyboard.hook) {
        ::UnhookWindowsHookEx(t_keyboard.hook);
        t_keyboard.hook = nullptr;
    }
}

std::wstring HResultText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.'))
        text.pop_back();
    wchar_t code[16];
    std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text.empty() ? std::wstring(code) : text + L" (" + code + L")";
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The container side the control talks to: client site, in-place site and in-place frame.
// A COM object of its own with a reference count; it forgets its owner when the control is torn
// down, so a late call from the control finds nothing to act on.

class TWebBrowser::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit Site(TWebBrowser* owner) : owner_(owner) {}
    void Detach() noexcept { owner_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *ppv = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override {
        if (ppmk) *ppmk = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override {
        if (ppContainer) *ppContainer = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* phwnd) override {
        if (!phwnd) return E_POINTER;
        *phwnd = owner_ ? owner_->Handle() : nullptr;
        return *phwnd ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return owner_ ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                  LPRECT lprcPosRect, LPRECT lprcClipRect,
                                  LPOLEINPLACEFRAMEINFO lpFrameInfo) override {
        if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo) return E_POINTER;
        *ppFrame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *ppDoc = nullptr;
        HWND host = owner_ ? owner_->Handle() : nullptr;
        RECT r{};
        if (host) ::GetClientRect(host, &r);
        *lprcPosRect = r;
        *lprcClipRect = r;
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = host ? ::GetAncestor(host, GA_ROOT) : nullptr;
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override {
        if (!lprcPosRect) return E_POINTER;
        if (owner_ && owner_->inPlaceObject_)
            owner_->inPlaceObject_->SetObjectRects(lprcPosRect, lprcPosRect);
        return S_OK;
    }

    // IOleInPlaceUIWindow: the control gets no toolbars or borders of ours.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame: no menus are merged, no status text is shown.
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~Site() = default;
    LONG refs_ = 1;
    TWebBrowser* owner_;
};

// ---------------------------------------------------------------------------------------------
// The event sink: a separate IDispatch, so the control's ambient-property queries on the site
// never mix with its events.

class TWebBrowser::Events final : public IDispatch {
public:
    explicit Events(TWebBrowser* owner) : owner_(owner) {}
    void Detach() noexcept { owner_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override {
        if (pctinfo) *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo) *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }

    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO*, UINT*) override {
        if (dispid != DISPID_BEFORENAVIGATE2) return S_OK;
        // BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel):
        // the arguments arrive last first.
        if (!params || params->cArgs != 7 || !params->rgvarg) return E_INVALIDARG;
        try {
            const std::wstring url = VariantText(&params->rgvarg[5]);
            VARIANT& cancelArg = params->rgvarg[0];
            bool cancel = cancelArg.vt == (VT_BYREF | VT_BOOL) && cancelArg.pboolVal &&
                          *cancelArg.pboolVal != VARIANT_FALSE;
            if (owner_) owner_->BeforeNavigate2(url, cancel);
            if (cancelArg.vt == (VT_BYREF | VT_BOOL) && cancelArg.pboolVal)
                *cancelArg.pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        } catch (...) {
            fw::HandleCurrentException();
        }
        return S_OK;
    }

private:
    ~Events() = default;
    LONG refs_ = 1;
    TWebBrowser* owner_;
};

// ---------------------------------------------------------------------------------------------

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {}

TWebBrowser::~TWebBrowser() { DestroyControl(); }

IDispatch* TWebBrowser::EventSink() const noexcept { return events_; }

void TWebBrowser::CreateWnd() {
    TWinControl::CreateWnd();
    CreateControl(); // succeeds when OLE is initialised by now; otherwise tried again later
}

void TWebBrowser::DestroyWnd() { DestroyControl(); }

LRESULT TWebBrowser::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The window can go with its parent's; the control goes first.
    if (msg == WM_DESTROY) DestroyControl();
    const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
    if (msg == WM_SIZE) Resized();
    return result;
}

bool TWebBrowser::EraseBackground(HDC dc) {
    if (Active()) return true; // the browser's own window covers the whole area
    return TWinControl::EraseBackground(dc);
}

bool TWebBrowser::CreateControl() {
    if (browser_) return true;
    HandleNeeded();
    if (!HandleAllocated()) return false;

    site_ = new Site(this);
    events_ = new Events(this);
    HRESULT hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IOleObject,
                                    reinterpret_cast<void**>(oleObject_.ReleaseAndGetAddressOf()));
    if (SUCCEEDED(hr)) hr = oleObject_->SetClientSite(static_cast<IOleClientSite*>(site_));
    if (SUCCEEDED(hr)) {
        RECT client{};
        ::GetClientRect(Handle(), &client);
        hr = oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                static_cast<IOleClientSite*>(site_), 0, Handle(), &client);
    }
    if (SUCCEEDED(hr)) hr = oleObject_.As(browser_);
    if (SUCCEEDED(hr)) oleObject_.As(inPlaceObject_);
    if (SUCCEEDED(hr)) {
        fw::ComPtr<IConnectionPointContainer> container;
        hr = oleObject_.As(container);
        if (SUCCEEDED(hr))
            hr = container->FindConnectionPoint(DIID_DWebBrowserEvents2,
                                                connectionPoint_.ReleaseAndGetAddressOf());
        if (SUCCEEDED(hr)) hr = connectionPoint_->Advise(events_, &adviseCookie_);
    }
    if (FAILED(hr)) {
        DestroyControl();
        return false;
    }
    RouteKeyboard(this, true);
    return true;
}

void TWebBrowser::DestroyControl() noexcept {
    RouteKeyboard(this, false);
    if (connectionPoint_ && adviseCookie_) connectionPoint_->Unadvise(adviseCookie_);
    adviseCookie_ = 0;
    connectionPoint_.Reset();
    if (events_) {
        events_->Detach();
        events_->Release();
        events_ = nullptr;
    }
    if (inPlaceObject_) inPlaceObject_->InPlaceDeactivate();
    inPlaceObject_.Reset();
    browser_.Reset();
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
        oleObject_.Reset();
    }
    if (site_) {
        site_->Detach();
        site_->Release();
        site_ = nullptr;
    }
}

void TWebBrowser::Resized() noexcept {
    if (!inPlaceObject_) return;
    RECT r{};
    ::GetClientRect(Handle(), &r);
    inPlaceObject_->SetObjectRects(&r, &r);
}

void TWebBrowser::Navigate(const std::wstring& url) {
    if (!CreateControl()) throw Exception(L"The web browser control is not available");
    BSTR address = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    if (!address) throw Exception(L"Out of memory");
    VARIANT empty;
    ::VariantInit(&empty);
    const HRESULT hr = browser_->Navigate(address, &empty, &empty, &empty, &empty);
    ::SysFreeString(address);
    if (FAILED(hr)) throw Exception(HResultText(hr));
}

bool TWebBrowser::TranslateAccelerator(MSG& msg) noexcept {
    if (!oleObject_ || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND host = Handle();
    if (msg.hwnd != host && !::IsChild(host, msg.hwnd)) return false;
    fw::ComPtr<IOleInPlaceActiveObject> active;
    if (FAILED(oleObject_.As(active))) return false;
    return active->TranslateAccelerator(&msg) == S_OK;
}

void TWebBrowser::BeforeNavigate2(const std::wstring& url, bool& cancel) {
    if (OnBeforeNavigate2) OnBeforeNavigate2(this, url, cancel);
}

