#include "framework/Edit.h"

TEdit::TEdit(TComponent* AOwner) : TNativeControl(AOwner, L"EDIT") {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
}

std::wstring TEdit::Text() const {
    if (!HandleAllocated()) return Caption();
    std::wstring text;
    const int n = ::GetWindowTextLengthW(Handle());
    if (n > 0) {
        text.resize(static_cast<size_t>(n) + 1);
        const int got = ::GetWindowTextW(Handle(), text.data(), n + 1);
        text.resize(static_cast<size_t>(got > 0 ? got : 0));
    }
    return text;
}

void TEdit::SetText(const std::wstring& value) {
    SetCaption(value);
    // What the user typed lives in the window only: set it there also when the stored
    // caption already holds the value.
    if (HandleAllocated() && Text() != value) ::SetWindowTextW(Handle(), value.c_str());
}

void TEdit::SetPasswordChar(wchar_t value) {
    if (passwordChar_ == value) return;
    passwordChar_ = value;
    if (HandleAllocated()) {
        ::SendMessageW(Handle(), EM_SETPASSWORDCHAR, value, 0);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TEdit::TabbedInto() { ::SendMessageW(Handle(), EM_SETSEL, 0, -1); }

void TEdit::CreateParams(TCreateParams& Params) {
    TNativeControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (passwordChar_) Params.Style |= ES_PASSWORD;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
    if (passwordChar_) ::SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
}

void TEdit::DestroyWnd() {
    // Keep what was typed for a window made again.
    SetCaption(Text());
}
