#include "framework/TrayIcon.h"

#include <cwchar>

#include "framework/PopupMenu.h"

namespace {

const wchar_t kTrayClass[] = L"OrderTrayIconWindow";

BOOL RealNotify(DWORD message, NOTIFYICONDATAW* data) { return ::Shell_NotifyIconW(message, data); }

UINT TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// Handles the messages already waiting, so that the foreground change is complete before the
// menu opens. A quit message met here is put back for the message loop.
void ProcessPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace

TTrayIcon::NotifyFn TTrayIcon::notifyHook = RealNotify;

// The hidden top-level window that receives the icon's notifications. Top-level, because the
// "TaskbarCreated" broadcast reaches top-level windows only; never shown.
class TTrayIcon::Window : public fw::TWindow {
public:
    explicit Window(TTrayIcon& owner) : owner_(owner) {
        RegisterClass(kTrayClass, 0);
        CreateOwnHandle(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == CallbackMessage) {
            owner_.Callback(LOWORD(lParam));
            return 0;
        }
        if (msg == TaskbarCreatedMessage() && msg != 0) {
            owner_.TaskbarCreated();
            return 0;
        }
        return fw::TWindow::WndProc(msg, wParam, lParam);
    }

private:
    TTrayIcon& owner_;
};

TTrayIcon::TTrayIcon(TComponent* AOwner)
    : TComponent(AOwner), window_(std::make_unique<Window>(*this)) {}

TTrayIcon::~TTrayIcon() {
    ownerHook_.Stop();
    applicationHook_.Stop();
    if (visible_) Update(NIM_DELETE);
    visible_ = added_ = false;
    SetPopupMenu(nullptr);
}

HWND TTrayIcon::Handle() const noexcept { return window_->Handle(); }

void TTrayIcon::SetHint(const std::wstring& value) {
    if (value == hint_) return;
    hint_ = value;
    if (visible_) Update(NIM_MODIFY);
}

void TTrayIcon::SetIconResource(UINT id) {
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    icon_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR)));
    if (visible_) Update(NIM_MODIFY);
}

void TTrayIcon::SetIconVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Update(value ? NIM_ADD : NIM_DELETE);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
    popupMenu_ = menu;
    if (popupMenu_) FreeNotification(popupMenu_);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

void TTrayIcon::SetOwnerWindow(HWND owner) {
    owner_ = owner;
    ownerHook_.Stop();
    if (owner_)
        ownerHook_.Watch(owner_, [this](UINT msg, WPARAM, LPARAM lParam) { OwnerMessage(msg, lParam); });
    applicationHook_.Stop();
    if (HWND app = ApplicationWindow())
        applicationHook_.Watch(app, [this](UINT msg, WPARAM wParam, LPARAM) { ApplicationMessage(msg, wParam); });
}

HWND TTrayIcon::ApplicationWindow() const noexcept {
    if (!owner_) return nullptr;
    HWND root = ::GetAncestor(owner_, GA_ROOTOWNER);
    return root ? root : owner_;
}

void TTrayIcon::FillData(NOTIFYICONDATAW& data) const {
    data = NOTIFYICONDATAW{};
    data.cbSize = sizeof(data);
    data.hWnd = Handle();
    data.uID = IconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = icon_.get();
    const size_t capacity = sizeof(data.szTip) / sizeof(data.szTip[0]);
    std::wcsncpy(data.szTip, hint_.c_str(), capacity - 1);
    data.szTip[capacity - 1] = L'\0';
}

void TTrayIcon::Update(DWORD message) {
    NOTIFYICONDATAW data;
    FillData(data);
    switch (message) {
    case NIM_ADD:
        added_ = notifyHook(NIM_ADD, &data) != FALSE;
        // Already there (a broadcast that came twice): bring it up to date instead.
        if (!added_) added_ = notifyHook(NIM_MODIFY, &data) != FALSE;
        break;
    case NIM_MODIFY:
        if (!notifyHook(NIM_MODIFY, &data)) added_ = notifyHook(NIM_ADD, &data) != FALSE;
        break;
    case NIM_DELETE:
        notifyHook(NIM_DELETE, &data);
        added_ = false;
        break;
    default:
        break;
    }
}

void TTrayIcon::TaskbarCreated() {
    // The new taskbar starts empty: a visible icon is added again.
    if (visible_) Update(NIM_ADD);
}

void TTrayIcon::Callback(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // no double-click event: the second press of a double click is a press
        leftPressed_ = true;
        break;
    case WM_LBUTTONUP:
        if (leftPressed_) {
            leftPressed_ = false;
            if (OnClick) OnClick(this);
        }
        break;
    case WM_RBUTTONDOWN:
        ShowMenu();
        break;
    default:
        break;
    }
}

void TTrayIcon::ShowMenu() {
    if (!popupMenu_ || !popupMenu_->AutoPopup()) return;
    HWND app = ApplicationWindow();
    ::SetForegroundWindow(app ? app : Handle());
    ProcessPendingMessages();
    if (!popupMenu_) return; // the menu went away while messages were handled
    POINT pt{};
    ::GetCursorPos(&pt);
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(pt.x, pt.y);
    if (owner_) ::PostMessageW(owner_, WM_NULL, 0, 0);
}

void TTrayIcon::OwnerMessage(UINT msg, LPARAM lParam) {
    // WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW: the owner has just become visible.
    if (msg != WM_WINDOWPOSCHANGED) return;
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!pos || !(pos->flags & SWP_SHOWWINDOW)) return;
    if (HWND app = ApplicationWindow(); app && app != owner_) ::SetForegroundWindow(app);
    ::SetForegroundWindow(owner_);
}

void TTrayIcon::ApplicationMessage(UINT msg, WPARAM wParam) {
    if (msg == WM_SYSCOMMAND && wParam == SC_RESTORE && OnApplicationRestore) OnApplicationRestore();
}
