// The entry sequence: the application object, the default title, the sign-in window as the
// principal form (its creation runs the single-instance check, selects the stored mode and applies
// the stored title), then the message loop until the program is terminated.
#include <windows.h>
#include <commctrl.h>

#include "framework/Application.h"
#include "signin/unLogin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    TApplication application;
    Application->Initialize();
    Application->SetTitle(L"客户订货系统");
    Application->CreateForm(fmLogin);
    Application->Run();
    return 0;
}
