#include "setup/unSetup.h"

#include "app/LayoutBuilder.h"
#include "app/TextRules.h"
#include "app/unFunction.h"
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/SpeedButton.h"
#include "resources/layouts/SetupLayout.h"
#include "setup/AddressRule.h"
#include "widgets/ImagePanel.h"

TfmSetup* fmSetup = nullptr;

namespace {

void Notice(const wchar_t* text) { Application->MessageBox(text, L"提示", MB_OK | MB_ICONINFORMATION); }

} // namespace

TfmSetup::TfmSetup(TComponent* AOwner) : TForm(AOwner) {
    BuildLayout(*this, kSetupLayout);
    ImagePanel1 = FindControl<TImagePanel>(L"ImagePanel1");
    Label3 = FindControl<TLabel>(L"Label3");
    edName = FindControl<TEdit>(L"edName");
    Label2 = FindControl<TLabel>(L"Label2");
    edUrl = FindControl<TEdit>(L"edUrl");
    SpeedButton1 = FindControl<TSpeedButton>(L"SpeedButton1");
    Label1 = FindControl<TLabel>(L"Label1");

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

    DoCreate();
}

void TfmSetup::FormCreate(TObject*) {
    edUrl->SetText(ReadRegStr(L"Url", L"http://"));
    edName->SetText(ReadRegStr(L"Title", L""));
}

void TfmSetup::SpeedButton1Click(TObject*) {
    const std::wstring address = TrimText(edUrl->Text());
    if (address.empty()) {
        Notice(L"订货系统URL网址不能为空！");
        return;
    }
    if (!HasWebScheme(address)) {
        Notice(L"URL网址错误，必须加上http://");
        return;
    }
    WriteRegStr(L"Url", address);
    WriteRegStr(L"Title", TrimText(edName->Text()));
    Application->SetTitle(ReadRegStr(L"Title", L"客户订货系统"));
    Notice(L"设置成功！");
    Close();
}

void TfmSetup::FormClose(TObject*, TCloseAction& Action) {
    Action = TCloseAction::caFree;
    fmSetup = nullptr;
}
