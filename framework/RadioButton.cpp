#include "framework/RadioButton.h"

TRadioButton::TRadioButton(TComponent* AOwner) : TNativeControl(AOwner, L"BUTTON") {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::ShowState() {
    if (!HandleAllocated()) return;
    ::SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(Handle(), GWL_STYLE, checked_ ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void TRadioButton::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    ShowState();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (other && other != this && other->checked_) {
                other->checked_ = false;
                other->ShowState();
            }
        }
    }
    Click();
}

void TRadioButton::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(true);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
    TNativeControl::CreateParams(Params);
    Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::HandleCreated() { ShowState(); }
