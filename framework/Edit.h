#pragma once
// TEdit: a single-line edit box. PasswordChar shows that character for every one typed. The
// hint text is kept with the control and shown only where ShowHint asks for it (the sign-in
// window keeps its page templates there, never displayed). OnKeyPress sees every typed
// character (WM_CHAR) before the box does; setting it to 0 swallows the key.
#include <string>

#include "framework/NativeControl.h"

class TEdit : public TNativeControl {
public:
    explicit TEdit(TComponent* AOwner = nullptr);
    const wchar_t* ClassName() const override { return L"TEdit"; }

    std::wstring Text() const;
    void SetText(const std::wstring& value);
    wchar_t PasswordChar() const noexcept { return passwordChar_; }
    void SetPasswordChar(wchar_t value);

    void TabbedInto() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void DestroyWnd() override;
    bool WantsChars() const override { return true; }

private:
    wchar_t passwordChar_ = 0;
};
