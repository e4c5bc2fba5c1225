#pragma once
// TForm: a top-level window of the program. Owned by the application window, so it has no
// taskbar button of its own. Borderless or captioned, placed at the centre of the desktop when
// first shown, with its own colour and default font, and the events of a form's life: created,
// shown, painted, asked whether it may close, closed (with what to do then).
//
// Focus: the form remembers the control that had the focus when it was last deactivated
// (ActiveControl) and gives it back when it is activated again; Tab and Shift+Tab, through the
// application's message loop, move it through the controls in their tab order.
//
// Modal showing disables the program's other windows, runs a nested message loop until
// ModalResult is set (Close sets mrCancel) and then closes the form with its close events.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/WinControl.h"

class TNativeControl;

enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition : std::uint8_t { poDesigned, poDesktopCenter };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;

// Limits on the form's outer size; 0 means no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
};

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    const wchar_t* ClassName() const override { return L"TForm"; }

    TFormBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const noexcept { return position_; }
    void SetPosition(TPosition value) noexcept { position_ = value; }
    // The client area's size; the outer size follows from the border.
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    TSizeConstraints& Constraints() noexcept { return constraints_; }

    // ---- showing and closing ----
    void Show();
    void Hide();
    // Asks OnCloseQuery, then runs OnClose; the close action decides what happens. Closing the
    // principal form terminates the application. A modal form only sets ModalResult.
    void Close();
    bool CloseQuery();
    TModalResult ShowModal();
    bool Modal() const noexcept { return modal_; }
    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult value) noexcept { modalResult_ = value; }
    // Destroys the form once the messages already queued are handled.
    void Release();

    // ---- focus ----
    TWinControl* ActiveControl() const noexcept { return activeControl_; }
    // Gives the control the focus now if the form is active, otherwise when it next is.
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in the tab order, wrapping around.
    void SelectNext(bool forward);
    // The controls that Tab visits, in tab order.
    std::vector<TNativeControl*> TabList() const;

    // The form's canvas, valid during OnPaint.
    using TWinControl::Canvas;

    // Runs OnCreate; an exception in it goes to the general error handler and the form lives on.
    // Each form class calls this at the end of its constructor, once its controls exist.
    void DoCreate();

    // The control made under this name by the form's layout; throws if there is none of that type.
    template <class T> T* FindControl(const std::wstring& name) const {
        T* control = dynamic_cast<T*>(FindComponent(name));
        if (!control) throw Exception(L"Control not found: " + name);
        return control;
    }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint() override;
    void VisibleChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void CloseModal();
    void PlaceOnDesktop();
    void FocusActiveControl();
    void RememberFocus();
    void SetClientSize(int width, int height);

    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TSizeConstraints constraints_;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool placed_ = false;
    bool showing_ = false;
};
