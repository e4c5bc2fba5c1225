// The setup dialog, opened from the sign-in window's settings button and driven inside its modal
// loop: what it loads, the address checks with their messages, what a save stores and applies.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/SpeedButton.h"
#include "setup/unSetup.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"
#include "widgets/ImagePanel.h"
#include "widgets/v2TransBtn.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using drive::Boxes;
using drive::Setting;

namespace {

constexpr UINT kNotice = MB_OK | MB_ICONINFORMATION;

class SetupDialog : public ::testing::Test {
protected:
    void SetUp() override {
        drive::DrainQueue();
        drive::ClearSettings();
        drive::AnswerBoxesWithOk();
        app_ = std::make_unique<TApplication>();
        Application->SetTitle(L"客户订货系统");
        Application->CreateForm(fmLogin);
        fmLogin->Show();
        Application->ProcessMessages();
        drive::ClearSettings(); // forget the mode the sign-in window stored
    }

    void TearDown() override {
        app_.reset();
        fmLogin = nullptr;
        fmSetup = nullptr;
        drive::DrainQueue();
        hooks::ResetAll();
        drive::ClearSettings();
    }

    // Opens the dialog with the settings button and runs `inside` in its modal loop; closes it
    // afterwards with its close button if `inside` left it open. Returns whether it was left open.
    bool WithDialog(const std::function<void(TfmSetup&)>& inside) {
        bool stillOpen = false;
        drive::RunInsideModal([&] {
            ASSERT_NE(fmSetup, nullptr);
            TfmSetup& dialog = *fmSetup;
            inside(dialog);
            stillOpen = fmSetup == &dialog && dialog.ModalResult() == mrNone;
            if (stillOpen) ::SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        });
        drive::Click(*fmLogin->SpeedButton1);
        Application->ProcessMessages(); // the closed dialog is destroyed here
        return stillOpen;
    }

    static void Save(TfmSetup& dialog, const std::wstring& url, const std::wstring& name) {
        dialog.edUrl->SetText(url);
        dialog.edName->SetText(name);
        drive::Click(*dialog.SpeedButton1);
    }

    std::unique_ptr<TApplication> app_;
};

TEST_F(SetupDialog, OpensOnACleanMachineWithTheSchemeAndAnEmptyName) {
    std::wstring url, name, caption;
    HWND focus = nullptr;
    bool loginDisabled = false;
    WithDialog([&](TfmSetup& d) {
        url = d.edUrl->Text();
        name = d.edName->Text();
        caption = drive::WindowText(d.Handle());
        focus = ::GetFocus() == d.edUrl->Handle() ? d.edUrl->Handle() : ::GetFocus();
        loginDisabled = !::IsWindowEnabled(fmLogin->Handle());
        EXPECT_EQ(focus, d.edUrl->Handle());
    });
    EXPECT_EQ(url, L"http://");
    EXPECT_EQ(name, L"");
    EXPECT_EQ(caption, L"系统设置");
    EXPECT_TRUE(loginDisabled);
    EXPECT_FALSE(Setting(L"Url"));
    EXPECT_EQ(fmSetup, nullptr);
}

TEST_F(SetupDialog, RefusedAddressesStoreNothingAndKeepTheDialogOpen) {
    const struct {
        const wchar_t* url;
        const wchar_t* message;
    } cases[] = {
        {L"", L"订货系统URL网址不能为空！"},
        {L"   \t", L"订货系统URL网址不能为空！"},
        {L"HTTP://shop.example.invalid", L"URL网址错误，必须加上http://"},
        {L"ftp://x", L"URL网址错误，必须加上http://"},
        {L"http:/", L"URL网址错误，必须加上http://"},
        {L"shop.example.invalid", L"URL网址错误，必须加上http://"},
    };
    for (const auto& c : cases) {
        Boxes().clear();
        std::wstring textAfter;
        const bool stillOpen = WithDialog([&](TfmSetup& d) {
            Save(d, c.url, L"名字");
            textAfter = d.edUrl->Text();
        });
        EXPECT_TRUE(stillOpen) << c.url;
        ASSERT_EQ(Boxes().size(), 1u) << c.url;
        EXPECT_EQ(Boxes()[0].text, c.message) << c.url;
        EXPECT_EQ(Boxes()[0].caption, L"提示");
        EXPECT_EQ(Boxes()[0].flags, kNotice);
        EXPECT_EQ(textAfter, c.url); // the user's text stays as typed
        EXPECT_FALSE(Setting(L"Url")) << c.url;
        EXPECT_FALSE(Setting(L"Title")) << c.url;
    }
}

TEST_F(SetupDialog, AcceptsHttpAndHttpsAddressesTrimmedAndAppliesTheTitleBeforeReporting) {
    const struct {
        const wchar_t* url;
        const wchar_t* name;
        const wchar_t* storedUrl;
        const wchar_t* storedName;
        const wchar_t* title;
    } cases[] = {
        {L"http://", L"", L"http://", L"", L"客户订货系统"},
        {L"  http://shop.example.invalid/order/ \t", L"  华东分销 ", L"http://shop.example.invalid/order/",
         L"华东分销", L"华东分销"},
        {L"https://shop.example.invalid", L"Shop", L"https://shop.example.invalid", L"Shop", L"Shop"},
        {L"https://", L"   ", L"https://", L"", L"客户订货系统"},
    };
    for (const auto& c : cases) {
        Boxes().clear();
        const bool stillOpen = WithDialog([&](TfmSetup& d) { Save(d, c.url, c.name); });
        EXPECT_FALSE(stillOpen) << c.url;
        ASSERT_EQ(Boxes().size(), 1u) << c.url;
        EXPECT_EQ(Boxes()[0].text, L"设置成功！");
        EXPECT_EQ(Boxes()[0].flags, kNotice);
        EXPECT_EQ(Boxes()[0].titleThen, c.title) << c.url; // applied before the message
        EXPECT_EQ(Application->Title(), c.title);
        EXPECT_EQ(Setting(L"Url"), c.storedUrl);
        EXPECT_EQ(Setting(L"Title"), c.storedName);
        EXPECT_EQ(fmSetup, nullptr);
    }
}

TEST_F(SetupDialog, EveryOpeningShowsWhatIsStoredAndClosingWithoutSavingStoresNothing) {
    drive::PutSetting(L"Url", L"http://stored.example.invalid");
    drive::PutSetting(L"Title", L"Stored");
    std::wstring url, name;
    WithDialog([&](TfmSetup& d) {
        url = d.edUrl->Text();
        name = d.edName->Text();
        d.edUrl->SetText(L"http://edited.example.invalid");
        d.edName->SetText(L"Edited");
    });
    EXPECT_EQ(url, L"http://stored.example.invalid");
    EXPECT_EQ(name, L"Stored");
    EXPECT_EQ(Setting(L"Url"), L"http://stored.example.invalid");
    EXPECT_EQ(Setting(L"Title"), L"Stored");
    EXPECT_TRUE(Boxes().empty());

    WithDialog([&](TfmSetup& d) {
        url = d.edUrl->Text();
        name = d.edName->Text();
    });
    EXPECT_EQ(url, L"http://stored.example.invalid");
    EXPECT_EQ(name, L"Stored");
}

TEST_F(SetupDialog, AfterSavingAnEmptyNameTheNextOpeningShowsItEmpty) {
    WithDialog([&](TfmSetup& d) { Save(d, L"http://a.example.invalid", L""); });
    EXPECT_EQ(Setting(L"Title"), L"");
    std::wstring name = L"(not read)";
    WithDialog([&](TfmSetup& d) { name = d.edName->Text(); });
    EXPECT_EQ(name, L"");
}

TEST_F(SetupDialog, WrongRegistryTypeIsReportedAndTheDialogStillOpens) {
    drive::PutDwordSetting(L"Url", 7);
    bool opened = false;
    WithDialog([&](TfmSetup& d) { opened = ::IsWindowVisible(d.Handle()) != FALSE; });
    EXPECT_TRUE(opened);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, L"Invalid data type for 'Url'");
    EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(SetupDialog, SignInWithoutAnAddressOpensItAndASavedAddressNeedsAnotherClick) {
    fmLogin->UserName->SetText(L"alice");
    fmLogin->UserPass->SetText(L"pw");
    drive::RunInsideModal([&] { Save(*fmSetup, L"http://shop.example.invalid", L""); });
    drive::Click(*fmLogin->vbLogin);
    Application->ProcessMessages();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, L"未填写订货系统网址，请先设置！");
    EXPECT_EQ(Boxes()[1].text, L"设置成功！");
    EXPECT_EQ(Setting(L"Url"), L"http://shop.example.invalid");
    EXPECT_FALSE(Setting(L"会员名")); // the sign-in did not resume

    drive::Click(*fmLogin->vbLogin);
    EXPECT_EQ(Setting(L"会员名"), L"alice");
}

} // namespace
