#pragma once
// TfmMainForm: the browser shell the user works in after signing in. A borderless window with a
// bitmap title bar (logo, minimise-to-tray, maximise toggle and close buttons; dragged by any
// mouse button, double-click toggles), the embedded browser in a bitmap frame, and a bitmap status
// bar with the status text (title and address) and the date. A browser navigation to an address
// containing "Exit.aspx" ends the program; closing asks first. Its tray icon, with a menu to the
// support site, the help pages and the exit, brings it back from the notification area.
//
// Made once, by the first sign-in, into fmMainForm; lives until the program ends.
#include <string>

#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/MenuStyler.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "framework/TrayIcon.h"
#include "framework/WebBrowser.h"
#include "widgets/BmpPanel.h"
#include "widgets/v2TransBtn.h"

class TfmMainForm : public TForm {
public:
    explicit TfmMainForm(TComponent* AOwner);
    ~TfmMainForm() override;

    const wchar_t* ClassName() const override { return L"TfmMainForm"; }

    // Controls, in creation order.
    TBmpPanel BmpPanel1{this};
    TImage Image2{this};
    TPanel Panel1{this};
    TV2TransparentButton buttMin{this};
    TV2TransparentButton buttMax{this};
    TV2TransparentButton buttClose{this};
    TBmpPanel BmpPanel2{this};
    TWebBrowser WebBrowser1{this};
    TBmpPanel bpState{this};
    TLabel Label1{this};
    TLabel lbDate{this};

    // Companions without a window of their own on the form.
    TPopupMenu PopupMenu1{this};
    TMenuItem N1{this};
    TMenuItem N4{this};
    TMenuItem N5{this};
    TMenuItem N6{this};
    TMenuItem N7{this};
    TMenuStyler MenuStyler1{this};
    TTrayIcon TrayIcon1{this};
    TTimer Timer1{this};

    // Handlers.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormPaint(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void BmpPanel1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void buttMaxClick(TObject* Sender);
    void ButtCloseClick(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void WebBrowser1BeforeNavigate2(TObject* Sender, const std::wstring& URL, bool& Cancel);
    void buttMinClick(TObject* Sender);
    void TrayIcon1Click(TObject* Sender);
    void N1Click(TObject* Sender);
    void V2TransparentButton1Click(TObject* Sender);

    // The top-left corner of the first position: the design size centred on the desktop.
    static POINT FirstPosition();
    // Whether this window has OLE initialised on the thread (from FormCreate to FormClose).
    bool OleInitialised() const noexcept { return oleInitialised_; }

    // Bounds below the minimum size grow to it (980 x 680).
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void VisibleChanged() override;

private:
    void ApplyLayout();
    void BuildMenu();
    void BindEvents();
    void EndOle() noexcept;

    bool oleInitialised_ = false;
};

extern TfmMainForm* fmMainForm;
