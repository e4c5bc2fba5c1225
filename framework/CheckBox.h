#pragma once
// TCheckBox: a check box with its caption. OnClick fires whenever its state changes, by the user
// or by SetChecked.
#include "framework/NativeControl.h"

class TCheckBox : public TNativeControl {
public:
    explicit TCheckBox(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TCheckBox"; }

    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);

    void Command(WORD code) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    bool checked_ = false;
};
