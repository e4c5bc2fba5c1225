#pragma once
// TNativeControl: a control whose window is one of the system's own controls (EDIT, BUTTON),
// subclassed so that its messages reach the framework first. The system control paints itself
// and handles its own mouse input; the framework adds the font, the tab order and the events.
//
// The system sends a control's notifications (WM_COMMAND) and colour requests (WM_CTLCOLOR*) to
// its parent window; a container passes them back to the control with ReflectControlMessage.
#include <windows.h>

#include "framework/WinControl.h"

class TNativeControl : public TWinControl {
public:
    const wchar_t* ClassName() const override { return L"TNativeControl"; }

    // Position in the parent's tab order (-1: after the ordered ones, in creation order).
    int TabOrder() const noexcept { return tabOrder_; }
    void SetTabOrder(int value) noexcept { tabOrder_ = value; }
    virtual bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool value);
    // Whether Tab may move the focus here now.
    bool CanTabTo() const;
    // The focus came here by Tab.
    virtual void TabbedInto() {}

    // A notification code of WM_COMMAND from this control (BN_CLICKED, EN_CHANGE ...).
    virtual void Command(WORD code);
    // WM_CTLCOLOR* for this control: sets the DC's colours and returns the background brush
    // (nullptr: the system's default).
    virtual HBRUSH CtlColor(HDC dc);

protected:
    TNativeControl(TComponent* AOwner, const wchar_t* nativeClass);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The window exists: push the state kept while it did not.
    virtual void HandleCreated() {}
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void FontChanged() override;

private:
    const wchar_t* nativeClass_;
    int tabOrder_ = -1;
    bool tabStop_ = true;
};

// Passes a child control's WM_COMMAND or WM_CTLCOLOR* message, received by its parent, to the
// control. True when the message was the control's; result is then the answer to return.
bool ReflectControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
