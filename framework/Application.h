#pragma once
// The application object: the hidden top-level window of class "TApplication" that owns every
// form, carries the program's only taskbar button and, as its window text, the application title.
// It keeps the forms it owns, knows the principal form (the first one made with CreateForm, whose
// closing ends the program), runs the message loop and shows the program's message boxes.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Window.h"

class TForm;

class TApplication : public TComponent, public fw::TWindow {
public:
    TApplication();
    ~TApplication() override;

    const wchar_t* ClassName() const override { return L"TApplication"; }

    // Kept for the usual entry sequence; the window already exists after construction.
    void Initialize() {}

    // The application title: the text of the application window.
    std::wstring Title() const;
    void SetTitle(const std::wstring& title);

    // The principal form: the first form made with CreateForm. Closing it ends the program.
    TForm* MainForm() const noexcept { return mainForm_; }

    // Whether Run shows the principal form before it enters the message loop.
    bool ShowMainForm = true;

    // Makes a form, stores it in the caller's global and, for the first form, makes it the
    // principal form. The form's creation handler has run when this returns.
    template <class T> void CreateForm(T*& reference) {
        reference = new T(this);
        if (!mainForm_) mainForm_ = reference;
    }

    // Runs the message loop until Terminate; then destroys every form.
    void Run();
    // Handles one message (waiting for it): the loop of Run and of modal forms.
    // Returns false when the quit message was taken.
    bool HandleMessage();
    // Handles every message already waiting, then returns. Taking the quit message ends the
    // program's run (Terminated becomes true).
    void ProcessMessages();
    // Posts the quit message; the code running now runs on to its end first.
    void Terminate();
    bool Terminated() const noexcept { return terminated_; }

    // Takes the whole program to its taskbar button: the application window is minimised and
    // the forms it owns are hidden with it; restoring it shows them again.
    void Minimize();

    // A modal message box owned by the application window; the program's other windows are
    // disabled while it is open. Returns the button pressed.
    int MessageBox(const std::wstring& text, const std::wstring& caption = L"提示",
                   UINT flags = MB_OK);

    // Forms register themselves here when they are made and leave when they are destroyed.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form) noexcept;
    const std::vector<TForm*>& Forms() const noexcept { return forms_; }
    // Destroys a form once the messages already queued are handled (after a modal loop ends).
    void ReleaseForm(TForm* form);
    // Shows the application window (the taskbar button) while any form is shown, hides it when
    // none is. Forms call it whenever they are shown or hidden.
    void UpdateVisible();

    // Disables every enabled top-level window of this thread except `keep`; returns them so
    // they can be enabled again. Used by modal forms and message boxes.
    std::vector<HWND> DisableTaskWindows(HWND keep);
    static void EnableTaskWindows(const std::vector<HWND>& windows) noexcept;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void DispatchOne(const MSG& msg);
    bool IsDialogKey(const MSG& msg);
    void HideOwnedForms();
    void ShowHiddenForms();
    void DestroyForms() noexcept;

    std::vector<TForm*> forms_;
    std::vector<HWND> hiddenByMinimize_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool minimized_ = false;
};

// The one application object of the process (made by the entry sequence or a test).
extern TApplication* Application;
