#include "framework/Form.h"

#include <algorithm>
#include <climits>

#include "framework/Application.h"
#include "framework/ErrorHandler.h"
#include "framework/NativeControl.h"

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisible(false);
    SetColor(clBtnFace);
    Font().SetName(L"MS Sans Serif");
    Font().SetHeight(-11);
    if (Application) Application->AddForm(this);
}

TForm::~TForm() {
    if (Application) Application->RemoveForm(this);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value) return;
    const RECT client = ClientRect();
    borderStyle_ = value;
    SetClientSize(client.right, client.bottom);
    RecreateWnd();
}

void TForm::SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }

void TForm::SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }

void TForm::SetClientSize(int width, int height) {
    TCreateParams p;
    CreateParams(p);
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
    SetBounds(Left(), Top(), frame.right - frame.left, frame.bottom - frame.top);
}

void TForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    // Owned by the application window: above it, hidden with it, and no taskbar button.
    Params.WndParent = Application ? Application->Handle() : nullptr;
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle = 0;
    switch (borderStyle_) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsSizeable:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (!Enabled()) Params.Style |= WS_DISABLED;
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    // A captioned form shows the program icon (the application window's) in its caption.
    if (Application) {
        const auto big = ::GetClassLongPtrW(Application->Handle(), GCLP_HICON);
        const auto small = ::GetClassLongPtrW(Application->Handle(), GCLP_HICONSM);
        if (big) ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, static_cast<LPARAM>(big));
        if (small) ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, static_cast<LPARAM>(small));
    }
}

void TForm::DoCreate() {
    try {
        HandleNeeded();
        if (OnCreate) OnCreate(this);
    } catch (...) {
        fw::HandleCurrentException();
    }
}

// ---- showing and closing ----

void TForm::PlaceOnDesktop() {
    placed_ = true;
    if (position_ != poDesktopCenter) return;
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN) +
                  (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2;
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN) +
                  (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2;
    SetBounds(x, y, Width(), Height());
}

void TForm::Show() {
    HandleNeeded();
    if (!placed_) PlaceOnDesktop();
    if (Visible()) {
        ::SetForegroundWindow(Handle());
        return;
    }
    SetVisible(true);
}

void TForm::Hide() { SetVisible(false); }

void TForm::VisibleChanged() {
    if (Visible()) {
        HandleNeeded();
        if (!placed_) PlaceOnDesktop();
        ::ShowWindow(Handle(), SW_SHOWNORMAL); // activates the form, which focuses its control
        if (Application) Application->UpdateVisible();
        if (OnShow) {
            try {
                OnShow(this);
            } catch (...) {
                fw::HandleCurrentException();
            }
        }
    } else {
        if (OnHide) {
            try {
                OnHide(this);
            } catch (...) {
                fw::HandleCurrentException();
            }
        }
        if (HandleAllocated()) {
            RememberFocus();
            ::ShowWindow(Handle(), SW_HIDE);
        }
        if (Application) Application->UpdateVisible();
    }
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == TCloseAction::caHide)
        Hide();
    else if (action == TCloseAction::caMinimize)
        ::ShowWindow(Handle(), SW_MINIMIZE);
    else
        Release();
}

void TForm::CloseModal() {
    TCloseAction action = TCloseAction::caNone;
    try {
        if (CloseQuery()) {
            action = TCloseAction::caHide;
            if (OnClose) OnClose(this, action);
        }
    } catch (...) {
        modalResult_ = mrNone;
        fw::HandleCurrentException();
        return;
    }
    if (action == TCloseAction::caNone)
        modalResult_ = mrNone;
    else if (action == TCloseAction::caFree)
        Release();
}

TModalResult TForm::ShowModal() {
    if (Visible() || !Enabled() || modal_)
        throw Exception(L"Cannot make a visible window modal");
    if (!Application) throw Exception(L"No application");
    if (GetCaptureControl()) SetCaptureControl(nullptr);
    ::ReleaseCapture();
    HWND activeBefore = ::GetActiveWindow();
    const std::vector<HWND> disabled = Application->DisableTaskWindows(nullptr);
    modal_ = true;
    modalResult_ = mrNone;
    try {
        Show();
        for (;;) {
            if (!Application->HandleMessage()) {
                ::PostQuitMessage(0); // the outer loop must see the quit message too
                modalResult_ = mrCancel;
                break;
            }
            if (modalResult_ != mrNone) {
                CloseModal();
                if (modalResult_ != mrNone) break;
            }
        }
    } catch (...) {
        modal_ = false;
        TApplication::EnableTaskWindows(disabled);
        Hide();
        throw;
    }
    modal_ = false;
    TApplication::EnableTaskWindows(disabled);
    Hide();
    if (activeBefore && ::IsWindow(activeBefore) && ::IsWindowVisible(activeBefore))
        ::SetActiveWindow(activeBefore);
    return modalResult_;
}

void TForm::Release() {
    if (Application) Application->ReleaseForm(this);
}

// ---- focus ----

void TForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control && HandleAllocated() && ::GetActiveWindow() == Handle() && control->HandleAllocated())
        ::SetFocus(control->Handle());
}

void TForm::RememberFocus() {
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(Handle(), focus)) return;
    if (auto* control = dynamic_cast<TWinControl*>(fw::TWindow::FromHandle(focus)))
        activeControl_ = control;
}

void TForm::FocusActiveControl() {
    TWinControl* target = activeControl_;
    if (!target || !target->HandleAllocated() || !::IsWindowVisible(target->Handle()) ||
        !::IsWindowEnabled(target->Handle())) {
        const std::vector<TNativeControl*> list = TabList();
        target = list.empty() ? nullptr : list.front();
    }
    if (target) ::SetFocus(target->Handle());
}

namespace {

void CollectTabList(const TWinControl& parent, std::vector<TNativeControl*>& out) {
    struct Entry {
        TWinControl* control;
        int order;
        int index;
    };
    std::vector<Entry> children;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        auto* win = dynamic_cast<TWinControl*>(parent.Controls(i));
        if (!win || !win->Visible() || !win->Enabled()) continue;
        auto* native = dynamic_cast<TNativeControl*>(win);
        const int order = native && native->TabOrder() >= 0 ? native->TabOrder() : INT_MAX;
        children.push_back({win, order, i});
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const Entry& a, const Entry& b) { return a.order < b.order; });
    for (const Entry& e : children) {
        if (auto* native = dynamic_cast<TNativeControl*>(e.control)) {
            if (native->CanTabTo()) out.push_back(native);
        } else {
            CollectTabList(*e.control, out);
        }
    }
}

} // namespace

std::vector<TNativeControl*> TForm::TabList() const {
    std::vector<TNativeControl*> list;
    CollectTabList(*this, list);
    return list;
}

void TForm::SelectNext(bool forward) {
    const std::vector<TNativeControl*> list = TabList();
    if (list.empty()) return;
    HWND focus = ::GetFocus();
    const auto n = static_cast<int>(list.size());
    int current = -1;
    for (int i = 0; i < n; ++i)
        if (list[i]->Handle() == focus || ::IsChild(list[i]->Handle(), focus)) current = i;
    int next;
    if (current < 0)
        next = forward ? 0 : n - 1;
    else
        next = forward ? (current + 1) % n : (current + n - 1) % n;
    TNativeControl* target = list[static_cast<size_t>(next)];
    ::SetFocus(target->Handle());
    target->TabbedInto();
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == activeControl_) activeControl_ = nullptr;
}

// ---- messages ----

void TForm::Paint() {
    if (OnPaint) OnPaint(this);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectControlMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        // Deactivated: remember the focused control. Activated: the default handling focuses
        // the form, and WM_SETFOCUS passes the focus on to that control.
        if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
        return DefaultHandler(msg, wParam, lParam);
    case WM_SETFOCUS:
        FocusActiveControl();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (constraints_.MinWidth > 0) info->ptMinTrackSize.x = constraints_.MinWidth;
        if (constraints_.MinHeight > 0) info->ptMinTrackSize.y = constraints_.MinHeight;
        if (constraints_.MaxWidth > 0) info->ptMaxTrackSize.x = constraints_.MaxWidth;
        if (constraints_.MaxHeight > 0) info->ptMaxTrackSize.y = constraints_.MaxHeight;
        return 0;
    }
    default:
        return TWinControl::WndProc(msg, wParam, lParam);
    }
}
