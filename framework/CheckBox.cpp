#include "framework/CheckBox.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TNativeControl(AOwner, L"BUTTON") {
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    if (HandleAllocated())
        ::SendMessageW(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

void TCheckBox::Command(WORD code) {
    // The box is not an automatic one: a click toggles it here, so the state and the event
    // stay together.
    if (code == BN_CLICKED) SetChecked(!checked_);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
    TNativeControl::CreateParams(Params);
    Params.Style |= BS_CHECKBOX;
}

void TCheckBox::HandleCreated() {
    ::SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}
