// The sign-in window driven through its real windows: start in the stored mode, mode switching
// with the remembered credentials, the three sign-in checks and what a passing sign-in stores.
#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/MessageHook.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "setup/unSetup.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"
#include "widgets/v2TransBtn.h"

#include <gtest/gtest.h>

#include <memory>

using drive::Boxes;
using drive::Setting;

namespace {

constexpr UINT kNotice = MB_OK | MB_ICONINFORMATION;

class LoginWindow : public ::testing::Test {
protected:
    void SetUp() override {
        drive::DrainQueue();
        drive::ClearSettings();
        drive::AnswerBoxesWithOk();
    }

    void TearDown() override {
        app_.reset();
        fmLogin = nullptr;
        fmSetup = nullptr;
        drive::DrainQueue();
        hooks::ResetAll();
        drive::ClearSettings();
    }

    // The entry sequence up to the shown sign-in window.
    TfmLogin& Start() {
        app_ = std::make_unique<TApplication>();
        Application->SetTitle(L"客户订货系统");
        Application->CreateForm(fmLogin);
        if (Application->ShowMainForm) Application->MainForm()->Show();
        Application->ProcessMessages();
        return *fmLogin;
    }

    static std::wstring Text(TEdit* edit) { return edit->Text(); }

    std::unique_ptr<TApplication> app_;
};

TEST_F(LoginWindow, CleanStartShowsTheOrderingLoginWithEmptyBoxesAndStoresTheMode) {
    TfmLogin& login = Start();
    EXPECT_EQ(Application->Title(), L"客户订货系统");
    EXPECT_TRUE(::IsWindowVisible(login.Handle()));
    EXPECT_TRUE(login.RadioButton1->Checked());
    EXPECT_FALSE(login.RadioButton2->Checked());
    EXPECT_EQ(login.Label2->Caption(), L"会员帐号:");
    EXPECT_EQ(login.Label3->Caption(), L"登陆密码:");
    EXPECT_EQ(login.vbLogin->Caption(), L"订货登陆");
    EXPECT_EQ(Text(login.UserName), L"");
    EXPECT_EQ(Text(login.UserPass), L"");
    EXPECT_FALSE(login.cbSave->Checked());
    EXPECT_EQ(Setting(L"Type"), L"1");
    EXPECT_EQ(::GetFocus(), login.UserPass->Handle());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LoginWindow, StartsInTheStoredBackOfficeModeWithItsRememberedCredentials) {
    drive::PutSetting(L"Type", L"0");
    drive::PutSetting(L"cbSave", L"-1");
    drive::PutSetting(L"用户名", L"staff");
    drive::PutSetting(L"管理密码", L"s3cret");
    drive::PutSetting(L"会员名", L"member");
    TfmLogin& login = Start();
    EXPECT_TRUE(login.RadioButton2->Checked());
    EXPECT_FALSE(login.RadioButton1->Checked());
    EXPECT_EQ(login.Label2->Caption(), L"员工姓名:");
    EXPECT_EQ(login.vbLogin->Caption(), L"供应商登陆");
    EXPECT_EQ(Text(login.UserName), L"staff");
    EXPECT_EQ(Text(login.UserPass), L"s3cret");
    EXPECT_TRUE(login.cbSave->Checked());
    EXPECT_EQ(Setting(L"Type"), L"0");
}

TEST_F(LoginWindow, OnlyExactlyZeroSelectsTheBackOffice) {
    for (const wchar_t* stored : {L" 0", L"00", L"1", L"x"}) {
        drive::PutSetting(L"Type", stored);
        TfmLogin& login = Start();
        EXPECT_TRUE(login.RadioButton1->Checked()) << "Type [" << stored << "]";
        EXPECT_EQ(Setting(L"Type"), L"1");
        TearDown();
        SetUp();
    }
}

TEST_F(LoginWindow, StoredTitleBecomesTheApplicationTitleAndBlankOneKeepsTheDefault) {
    drive::PutSetting(L"Title", L"华东分销");
    Start();
    EXPECT_EQ(Application->Title(), L"华东分销");
    TearDown();
    SetUp();
    drive::PutSetting(L"Title", L"   ");
    Start();
    EXPECT_EQ(Application->Title(), L"客户订货系统");
}

TEST_F(LoginWindow, SwitchingModesWithoutRememberKeepsTheTypedPassword) {
    drive::PutSetting(L"cbSave", L"0");
    drive::PutSetting(L"用户名", L"staff");
    TfmLogin& login = Start();
    drive::Type(login.UserName->Handle(), L"member");
    drive::Type(login.UserPass->Handle(), L"typed");

    drive::Click(*login.RadioButton2);
    EXPECT_TRUE(login.RadioButton2->Checked());
    EXPECT_FALSE(login.RadioButton1->Checked());
    EXPECT_EQ(login.Label2->Caption(), L"员工姓名:");
    EXPECT_EQ(login.vbLogin->Caption(), L"供应商登陆");
    EXPECT_EQ(Text(login.UserName), L"staff");
    EXPECT_EQ(Text(login.UserPass), L"typed");
    EXPECT_EQ(Setting(L"Type"), L"0");

    drive::Click(*login.RadioButton1);
    EXPECT_EQ(login.Label2->Caption(), L"会员帐号:");
    EXPECT_EQ(Text(login.UserName), L""); // no ordering user name stored
    EXPECT_EQ(Text(login.UserPass), L"typed");
    EXPECT_EQ(Setting(L"Type"), L"1");
}

TEST_F(LoginWindow, RememberFlagWithoutAStoredPasswordGivesOne) {
    drive::PutSetting(L"cbSave", L"-1");
    TfmLogin& login = Start();
    EXPECT_TRUE(login.cbSave->Checked());
    EXPECT_EQ(Text(login.UserPass), L"1");
    drive::Click(*login.RadioButton2);
    EXPECT_EQ(Text(login.UserPass), L"1");
}

TEST_F(LoginWindow, ClickingTheSelectedModeAppliesNothingAndSwitchingResetsTheFlagToTheStoredOne) {
    TfmLogin& login = Start();
    drive::Type(login.UserName->Handle(), L"kept");
    drive::Click(*login.RadioButton1); // already selected
    EXPECT_EQ(Text(login.UserName), L"kept");

    drive::Click(*login.cbSave);
    EXPECT_TRUE(login.cbSave->Checked());
    drive::Click(*login.RadioButton2);
    EXPECT_FALSE(login.cbSave->Checked()); // nothing stored: reads as false
}

TEST_F(LoginWindow, SignInChecksRunInOrderAndStoreNothingOnFailure) {
    TfmLogin& login = Start();

    // 1. No address: the notice, then the setup dialog; the sign-in does not go on.
    bool setupOpened = false;
    drive::RunInsideModal([&] {
        setupOpened = fmSetup && ::IsWindowVisible(fmSetup->Handle());
        fmSetup->Close();
    });
    drive::Type(login.UserName->Handle(), L"alice");
    drive::Type(login.UserPass->Handle(), L"pw");
    drive::Click(*login.vbLogin);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, L"未填写订货系统网址，请先设置！");
    EXPECT_EQ(Boxes()[0].caption, L"提示");
    EXPECT_EQ(Boxes()[0].flags, kNotice);
    EXPECT_EQ(Boxes()[0].owner, Application->Handle());
    EXPECT_TRUE(setupOpened);
    EXPECT_FALSE(Setting(L"cbSave"));
    EXPECT_FALSE(Setting(L"会员名"));

    // 2. A user name of blanks only.
    drive::PutSetting(L"Url", L"http://shop.example.invalid");
    login.UserName->SetText(L"  \t ");
    login.UserPass->SetFocus();
    drive::Click(*login.vbLogin);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, L"请填写用户名！");
    EXPECT_EQ(Boxes()[1].flags, kNotice);
    EXPECT_EQ(::GetFocus(), login.UserName->Handle());

    // 3. A password of blanks only.
    login.UserName->SetText(L"alice");
    login.UserPass->SetText(L"   ");
    login.UserName->SetFocus();
    drive::Click(*login.vbLogin);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2].text, L"请填写登陆密码！");
    EXPECT_EQ(::GetFocus(), login.UserPass->Handle());

    EXPECT_FALSE(Setting(L"cbSave"));
    EXPECT_FALSE(Setting(L"会员名"));
    EXPECT_FALSE(Setting(L"会员密码"));
}

TEST_F(LoginWindow, PassingSignInStoresTheTrimmedValuesOfTheMode) {
    struct Case {
        bool backOffice;
        bool remember;
        const wchar_t* nameValue;
        const wchar_t* passwordValue;
        const wchar_t* storedPassword;
        const wchar_t* storedFlag;
    };
    const Case cases[] = {
        {false, true, L"会员名", L"会员密码", L"p w", L"-1"},
        {false, false, L"会员名", L"会员密码", L"", L"0"},
        {true, true, L"用户名", L"管理密码", L"p w", L"-1"},
        {true, false, L"用户名", L"管理密码", L"", L"0"},
    };
    for (const Case& c : cases) {
        drive::PutSetting(L"Url", L"http://shop.example.invalid/");
        TfmLogin& login = Start();
        if (c.backOffice) drive::Click(*login.RadioButton2);
        if (c.remember) drive::Click(*login.cbSave);
        login.UserName->SetText(L"  张三 ");
        login.UserPass->SetText(L"\t p w  ");
        drive::Click(*login.vbLogin);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(Setting(L"cbSave"), c.storedFlag);
        EXPECT_EQ(Setting(c.nameValue), L"张三");
        EXPECT_EQ(Setting(c.passwordValue), c.storedPassword);
        // The other mode's values are left alone.
        EXPECT_FALSE(Setting(c.backOffice ? L"会员名" : L"用户名"));
        TearDown();
        SetUp();
    }
}

TEST_F(LoginWindow, EnterSignsInFromThePasswordBoxOnly) {
    drive::PutSetting(L"Url", L"http://shop.example.invalid");
    TfmLogin& login = Start();
    login.UserName->SetText(L"alice");
    login.UserPass->SetText(L"pw");

    login.UserName->SetFocus();
    drive::PressKey(login.UserName->Handle(), VK_RETURN);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(Setting(L"会员名"));

    login.UserPass->SetFocus();
    drive::PressKey(login.UserPass->Handle(), VK_RETURN);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Setting(L"会员名"), L"alice");
    EXPECT_EQ(Text(login.UserPass), L"pw"); // the key went on to the box, which ignores it
}

TEST_F(LoginWindow, EnterWithAnEmptyNameGivesTheMessageAndFocusesTheNameBox) {
    drive::PutSetting(L"Url", L"http://shop.example.invalid");
    TfmLogin& login = Start();
    ASSERT_EQ(::GetFocus(), login.UserPass->Handle());
    drive::PressKey(login.UserPass->Handle(), VK_RETURN);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, L"请填写用户名！");
    EXPECT_EQ(::GetFocus(), login.UserName->Handle());
}

TEST_F(LoginWindow, TabFollowsTheTabOrderAndVisitsOnlyTheSelectedMode) {
    TfmLogin& login = Start();
    login.UserName->SetFocus();
    const HWND expected[] = {login.UserPass->Handle(), login.RadioButton1->Handle(),
                             login.cbSave->Handle(), login.UserName->Handle()};
    for (HWND next : expected) {
        drive::PressKey(::GetFocus(), VK_TAB);
        EXPECT_EQ(::GetFocus(), next);
    }
}

TEST_F(LoginWindow, WrongRegistryTypeIsShownByTheGeneralErrorHandlerAndTheWindowStillOpens) {
    drive::PutDwordSetting(L"Type", 1);
    drive::PutSetting(L"Title", L"华东分销");
    TfmLogin& login = Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, L"Invalid data type for 'Type'");
    EXPECT_EQ(Boxes()[0].caption, L"客户订货系统");
    EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // The rest of the creation handler was skipped: no mode applied, no title read.
    EXPECT_EQ(Application->Title(), L"客户订货系统");
    EXPECT_TRUE(::IsWindowVisible(login.Handle()));

    // The program keeps running: choosing a mode works and stores it as text.
    drive::Click(*login.RadioButton2);
    EXPECT_EQ(Setting(L"Type"), L"0");
    EXPECT_EQ(login.vbLogin->Caption(), L"供应商登陆");
}

TEST_F(LoginWindow, CloseButtonEndsTheProgramWithoutAQuestion) {
    TfmLogin& login = Start();
    drive::Click(*login.buttClose);
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LoginWindow, AltF4EndsTheProgram) {
    TfmLogin& login = Start();
    ::SendMessageW(login.Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(LoginWindow, MinimiseTakesTheWholeProgramToItsTaskbarButton) {
    TfmLogin& login = Start();
    drive::Click(*login.buttMin);
    EXPECT_TRUE(::IsIconic(Application->Handle()));
    EXPECT_FALSE(::IsWindowVisible(login.Handle()));
    ::ShowWindow(Application->Handle(), SW_RESTORE);
    EXPECT_TRUE(::IsWindowVisible(login.Handle()));
}

TEST_F(LoginWindow, PressingOnTheBackgroundStartsTheSystemMoveButNotOnTheControlsAboveIt) {
    TfmLogin& login = Start();
    int moves = 0;
    // The move loop ends at the next button release: queue it first.
    auto pressAt = [&](int x, int y) {
        ::PostMessageW(login.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        const LPARAM at = MAKELPARAM(x, y);
        ::SendMessageW(login.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        Application->ProcessMessages();
    };
    TMessageHook watch;
    watch.Watch(login.Handle(), [&](UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_SYSCOMMAND && wParam == 0xF012) ++moves;
    });
    pressAt(20, 60); // bare background
    EXPECT_EQ(moves, 1);
    pressAt(login.Label2->Left() + 2, login.Label2->Top() + 2);
    EXPECT_EQ(moves, 1);
}

TEST_F(LoginWindow, SettingsButtonOpensAFreshSetupDialogEachTime) {
    drive::PutSetting(L"Url", L"http://first.example.invalid");
    TfmLogin& login = Start();
    std::wstring shown;
    drive::RunInsideModal([&] {
        shown = fmSetup->edUrl->Text();
        EXPECT_FALSE(::IsWindowEnabled(login.Handle()));
        fmSetup->Close();
    });
    drive::Click(*login.SpeedButton1);
    EXPECT_EQ(shown, L"http://first.example.invalid");
    EXPECT_EQ(fmSetup, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(login.Handle()));

    drive::PutSetting(L"Url", L"http://second.example.invalid");
    drive::RunInsideModal([&] {
        shown = fmSetup->edUrl->Text();
        fmSetup->Close();
    });
    drive::Click(*login.SpeedButton1);
    EXPECT_EQ(shown, L"http://second.example.invalid");
}

} // namespace
