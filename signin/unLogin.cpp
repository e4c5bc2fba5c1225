#include "signin/unLogin.h"

#include "app/InstanceGuard.h"
#include "app/LayoutBuilder.h"
#include "app/TextRules.h"
#include "app/unFunction.h"
#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "resources/layouts/LoginLayout.h"
#include "setup/unSetup.h"
#include "signin/OpenMainWindow.h"
#include "widgets/v2TransBtn.h"

TfmLogin* fmLogin = nullptr;

// What depends on the sign-in mode.
struct TSignInMode {
    const wchar_t* nameLabel;      // Label2
    const wchar_t* passwordLabel;  // Label3
    const wchar_t* buttonCaption;  // vbLogin
    const wchar_t* typeValue;      // stored as "Type"
    const wchar_t* userNameValue;  // the remembered user name
    const wchar_t* passwordValue;  // the remembered password
};

namespace {

const wchar_t kMessageCaption[] = L"提示";
constexpr UINT kNotice = MB_OK | MB_ICONINFORMATION;

} // namespace

// The ordering login (customers) and the back-office login (the supplier's staff).
static const TSignInMode kOrdering{L"会员帐号:", L"登陆密码:", L"订货登陆",
                                             L"1",          L"会员名",    L"会员密码"};
static const TSignInMode kBackOffice{L"员工姓名:", L"登陆密码:", L"供应商登陆",
                                               L"0",          L"用户名",    L"管理密码"};

TfmLogin::TfmLogin(TComponent* AOwner) : TForm(AOwner) {
    BuildLayout(*this, kLoginLayout);
    Image1 = FindControl<TImage>(L"Image1");
    Label2 = FindControl<TLabel>(L"Label2");
    Label3 = FindControl<TLabel>(L"Label3");
    buttClose = FindControl<TV2TransparentButton>(L"buttClose");
    buttMin = FindControl<TV2TransparentButton>(L"buttMin");
    vbLogin = FindControl<TV2TransparentButton>(L"vbLogin");
    SpeedButton1 = FindControl<TSpeedButton>(L"SpeedButton1");
    UserName = FindControl<TEdit>(L"UserName");
    UserPass = FindControl<TEdit>(L"UserPass");
    RadioButton1 = FindControl<TRadioButton>(L"RadioButton1");
    RadioButton2 = FindControl<TRadioButton>(L"RadioButton2");
    cbSave = FindControl<TCheckBox>(L"cbSave");

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
    RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
    vbLogin->OnClick = [this](TObject* s) { vbLoginClick(s); };
    UserPass->OnKeyPress = [this](TObject* s, wchar_t& key) { UserPassKeyPress(s, key); };
    Image1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        Image1MouseDown(s, b, sh, x, y);
    };
    buttMin->OnClick = [this](TObject* s) { buttMinClick(s); };
    buttClose->OnClick = [this](TObject* s) { buttCloseClick(s); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

    DoCreate();
}

TfmLogin::~TfmLogin() = default;

void TfmLogin::FormCreate(TObject*) {
    // The guard looks for a running copy now, while the application title is still the default.
    guard_ = std::make_unique<TInstanceGuard>(nullptr);
    if (ReadRegStr(L"Type", L"1") == L"0")
        RadioButton2->SetChecked(true);
    else
        RadioButton1->SetChecked(true);
    Application->SetTitle(ReadRegStr(L"Title", L"客户订货系统"));
}

void TfmLogin::FormShow(TObject*) { UserPass->SetFocus(); }

void TfmLogin::RadioButton1Click(TObject*) { ApplyMode(kOrdering); }

void TfmLogin::RadioButton2Click(TObject*) { ApplyMode(kBackOffice); }

void TfmLogin::ApplyMode(const TSignInMode& mode) {
    Label2->SetCaption(mode.nameLabel);
    Label3->SetCaption(mode.passwordLabel);
    WriteRegStr(L"Type", mode.typeValue);
    UserName->SetText(ReadRegStr(mode.userNameValue, L""));
    cbSave->SetChecked(ReadBoolText(ReadRegStr(L"cbSave", L"false")));
    // Without the remember flag the password box keeps what it holds.
    if (cbSave->Checked()) UserPass->SetText(ReadRegStr(mode.passwordValue, L"1"));
    vbLogin->SetCaption(mode.buttonCaption);
}

void TfmLogin::vbLoginClick(TObject*) {
    if (ReadRegStr(L"Url", L"").empty()) {
        Application->MessageBox(L"未填写订货系统网址，请先设置！", kMessageCaption, kNotice);
        SpeedButton1Click(this);
        return; // the user signs in again once an address is stored
    }
    const std::wstring userName = TrimText(UserName->Text());
    if (userName.empty()) {
        Application->MessageBox(L"请填写用户名！", kMessageCaption, kNotice);
        UserName->SetFocus();
        return;
    }
    const std::wstring password = TrimText(UserPass->Text());
    if (password.empty()) {
        Application->MessageBox(L"请填写登陆密码！", kMessageCaption, kNotice);
        UserPass->SetFocus();
        return;
    }

    const bool remember = cbSave->Checked();
    WriteRegStr(L"cbSave", BoolText(remember));
    // One decision for what is stored and for the page opened. Only a start-up whose mode could
    // not be read leaves neither button selected; the ordering login, the default mode, serves.
    const bool backOffice = RadioButton2->Checked();
    const TSignInMode& mode = backOffice ? kBackOffice : kOrdering;
    WriteRegStr(mode.userNameValue, userName);
    WriteRegStr(mode.passwordValue, remember ? password : std::wstring());

    // The back-office page template is held by UserName's hint, the ordering one by UserPass's.
    const std::wstring& pageTemplate = backOffice ? UserName->Hint() : UserPass->Hint();
    OpenMainWindow(*this, userName, password, pageTemplate);
}

void TfmLogin::UserPassKeyPress(TObject*, wchar_t& Key) {
    if (Key == 13) vbLoginClick(this);
}

void TfmLogin::Image1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    // Drag the window as if by its caption: the system's move command with the caption hit-test.
    ::ReleaseCapture();
    ::SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TfmLogin::buttMinClick(TObject*) { Application->Minimize(); }

void TfmLogin::buttCloseClick(TObject*) { Close(); }

void TfmLogin::SpeedButton1Click(TObject*) {
    if (!fmSetup) fmSetup = new TfmSetup(Application);
    fmSetup->ShowModal();
}
