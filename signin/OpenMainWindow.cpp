#include "signin/OpenMainWindow.h"

#include "app/unFunction.h"
#include "framework/Application.h"
#include "shell/SignInUrl.h"
#include "shell/unMainForm.h"
#include "signin/CodePage936.h"
#include "signin/MD5.h"
#include "signin/unLogin.h"

void OpenMainWindow(TfmLogin& login, const std::wstring& userName, const std::wstring& password,
                    const std::wstring& pageTemplate) {
    // The main window is made on the first sign-in and reused by every later one.
    if (!fmMainForm) Application->CreateForm(fmMainForm);
    fmMainForm->Show();
    // The address is read again now; the digest is taken over the password's GBK bytes, as the
    // web application computes it.
    const std::wstring url = BuildSignInUrl(ReadRegStr(L"Url", L""), pageTemplate, userName,
                                            MD5Hex(ToCodePage936(password)));
    fmMainForm->WebBrowser1.Navigate(url);
    login.Hide();
}
