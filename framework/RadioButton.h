#pragma once
// TRadioButton: one choice of a group; the radio buttons with the same parent form one group.
// Checking one clears the others. OnClick fires only when the button becomes checked (by the
// user or by SetChecked); clicking the checked one does nothing. Only the checked button of a
// group is a tab stop.
#include "framework/NativeControl.h"

class TRadioButton : public TNativeControl {
public:
    explicit TRadioButton(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TRadioButton"; }

    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);

    bool TabStop() const noexcept override { return checked_; }
    void Command(WORD code) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    void ShowState();

    bool checked_ = false;
};
