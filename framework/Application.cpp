#include "framework/Application.h"

#include "framework/Dialogs.h"
#include "framework/ErrorHandler.h"
#include "framework/Form.h"
#include "framework/Hooks.h"

#include <algorithm>

TApplication* Application = nullptr;

namespace {

// Posted to the application window with a form in lParam: destroy it now.
constexpr UINT WM_RELEASE_FORM = WM_APP + 0x0F00;

// The general error handler of the program: the exception's text in an error box titled with
// the application title; the program keeps running.
void ShowException(const std::wstring& message) {
    if (Application)
        Application->MessageBox(message, Application->Title(), MB_OK | MB_ICONERROR);
    else
        hooks::messageBox(nullptr, message.c_str(), L"", MB_OK | MB_ICONERROR);
}

std::wstring ApplicationTitle() { return Application ? Application->Title() : std::wstring(); }

struct DisableState {
    HWND keep;
    HWND app;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM param) {
    auto* state = reinterpret_cast<DisableState*>(param);
    if (hwnd != state->keep && hwnd != state->app && ::IsWindowVisible(hwnd) &&
        ::IsWindowEnabled(hwnd)) {
        state->disabled->push_back(hwnd);
        ::EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

} // namespace

TApplication::TApplication() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // The program icon is icon resource 1 when the executable carries one (null otherwise), in the
    // system's large and small sizes. Shared icons belong to the system: nothing to free.
    auto loadIcon = [instance](int cx, int cy) {
        return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               ::GetSystemMetrics(cx), ::GetSystemMetrics(cy),
                                               LR_DEFAULTCOLOR | LR_SHARED));
    };
    RegisterClass(L"TApplication", 0, nullptr, loadIcon(SM_CXICON, SM_CYICON),
                  loadIcon(SM_CXSMICON, SM_CYSMICON));
    // A window of no size in the middle of the screen: visible, it is the taskbar button only.
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    CreateOwnHandle(0, L"TApplication", L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                    WS_MINIMIZEBOX, x, y, 0, 0, nullptr, nullptr);
    Application = this;
    fw::SetExceptionHandler(ShowException);
    fw::SetMessageTitleSource(ApplicationTitle);
}

TApplication::~TApplication() {
    DestroyForms();
    fw::SetExceptionHandler(nullptr);
    fw::SetMessageTitleSource(nullptr);
    if (Application == this) Application = nullptr;
}

std::wstring TApplication::Title() const {
    std::wstring text;
    const int n = ::GetWindowTextLengthW(Handle());
    if (n > 0) {
        text.resize(static_cast<size_t>(n) + 1);
        const int got = ::GetWindowTextW(Handle(), text.data(), n + 1);
        text.resize(static_cast<size_t>(std::max(got, 0)));
    }
    return text;
}

void TApplication::SetTitle(const std::wstring& title) { ::SetWindowTextW(Handle(), title.c_str()); }

void TApplication::Run() {
    if (mainForm_ && ShowMainForm) mainForm_->Show();
    while (HandleMessage()) {
    }
    DestroyForms();
}

bool TApplication::HandleMessage() {
    MSG msg;
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        terminated_ = true;
        return false;
    }
    DispatchOne(msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            // Put it back for the loop that runs the program (or a modal loop around this call),
            // which would otherwise wait for a message that never comes.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

void TApplication::DispatchOne(const MSG& msg) {
    if (IsDialogKey(msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void TApplication::Terminate() { ::PostQuitMessage(0); }

void TApplication::Minimize() { ::ShowWindow(Handle(), SW_SHOWMINIMIZED); }

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    HWND active = ::GetActiveWindow();
    const std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    const int result = hooks::messageBox(Handle(), text.c_str(), caption.c_str(), flags);
    EnableTaskWindows(disabled);
    if (active && ::IsWindow(active)) ::SetActiveWindow(active);
    return result;
}

void TApplication::AddForm(TForm* form) { forms_.push_back(form); }

void TApplication::RemoveForm(TForm* form) noexcept {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::ReleaseForm(TForm* form) {
    ::PostMessageW(Handle(), WM_RELEASE_FORM, 0, reinterpret_cast<LPARAM>(form));
}

std::vector<HWND> TApplication::DisableTaskWindows(HWND keep) {
    std::vector<HWND> disabled;
    DisableState state{keep, Handle(), &disabled};
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&state));
    return disabled;
}

void TApplication::EnableTaskWindows(const std::vector<HWND>& windows) noexcept {
    for (HWND hwnd : windows)
        if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
}

bool TApplication::IsDialogKey(const MSG& msg) {
    // Tab and Shift+Tab move the focus through a form's controls in their tab order. Every other
    // key, Enter included, reaches the focused control as usual.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
    auto* form = dynamic_cast<TForm*>(fw::TWindow::FromHandle(::GetAncestor(msg.hwnd, GA_ROOT)));
    if (!form) return false;
    form->SelectNext(::GetKeyState(VK_SHIFT) >= 0);
    return true;
}

void TApplication::UpdateVisible() {
    if (minimized_) return;
    const bool anyShown = std::any_of(forms_.begin(), forms_.end(), [](TForm* f) {
        return f->HandleAllocated() && ::IsWindowVisible(f->Handle());
    });
    const bool shown = ::IsWindowVisible(Handle()) != FALSE;
    if (anyShown != shown)
        ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                           (anyShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::HideOwnedForms() {
    for (TForm* f : forms_) {
        if (f->HandleAllocated() && ::IsWindowVisible(f->Handle())) {
            hiddenByMinimize_.push_back(f->Handle());
            ::ShowWindow(f->Handle(), SW_HIDE);
        }
    }
}

void TApplication::ShowHiddenForms() {
    std::vector<HWND> windows;
    windows.swap(hiddenByMinimize_);
    for (HWND hwnd : windows)
        if (::IsWindow(hwnd)) ::ShowWindow(hwnd, SW_SHOWNA);
    HWND popup = ::GetLastActivePopup(Handle());
    if (popup && popup != Handle() && ::IsWindowVisible(popup)) ::SetForegroundWindow(popup);
}

void TApplication::DestroyForms() noexcept {
    while (!forms_.empty()) {
        TForm* form = forms_.back();
        delete form; // its destructor calls RemoveForm
        if (!forms_.empty() && forms_.back() == form) forms_.pop_back();
    }
    mainForm_ = nullptr;
}

LRESULT TApplication::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        // The taskbar button's Close: the principal form decides.
        if (mainForm_) mainForm_->Close();
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && !minimized_) {
            minimized_ = true;
            HideOwnedForms();
        } else if (wParam != SIZE_MINIMIZED && minimized_) {
            minimized_ = false;
            ShowHiddenForms();
        }
        return 0;
    case WM_SETFOCUS: {
        // The application window never keeps the focus: it passes it to the form last active.
        HWND popup = ::GetLastActivePopup(Handle());
        if (popup && popup != Handle() && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup))
            ::SetFocus(popup);
        return 0;
    }
    case WM_RELEASE_FORM: {
        auto* form = reinterpret_cast<TForm*>(lParam);
        if (std::find(forms_.begin(), forms_.end(), form) != forms_.end()) delete form;
        return 0;
    }
    default:
        return TWindow::WndProc(msg, wParam, lParam);
    }
}
