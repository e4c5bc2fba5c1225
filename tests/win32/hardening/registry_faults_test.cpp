// The settings key failing while the program runs, met through the real sign-in window, setup
// dialog and main window: the key denied after start, values of the wrong type at start-up, at
// sign-in, in the setup dialog and in the main window's show, and one store failing in the middle
// of a sign-in. Each error ends only the
// handler it happens in, is shown once by the general error handler, and leaves the program
// usable.
#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "setup/unSetup.h"
#include "shell/unMainForm.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"
#include "tests/win32/support/RegistryFaults.h"
#include "widgets/v2TransBtn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using drive::Boxes;
using faults::StoredText;

namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONERROR;
constexpr wchar_t kDefaultTitle[] = L"客户订货系统";
// A local port where nothing listens: the main window's browser fails there at once.
constexpr wchar_t kLocalAddress[] = L"http://127.0.0.1:9";

class RegistryFaults : public ::testing::Test {
protected:
    void SetUp() override {
        drive::DrainQueue();
        faults::RemoveSettingsKey();
        drive::AnswerBoxesWithOk();
    }

    void TearDown() override {
        app_.reset();
        fmLogin = nullptr;
        fmSetup = nullptr;
        fmMainForm = nullptr;
        drive::DrainQueue();
        hooks::ResetAll();
        faults::RemoveSettingsKey();
    }

    // The entry sequence up to the shown sign-in window.
    TfmLogin& Start() {
        app_ = std::make_unique<TApplication>();
        Application->SetTitle(kDefaultTitle);
        Application->CreateForm(fmLogin);
        if (Application->ShowMainForm) Application->MainForm()->Show();
        Application->ProcessMessages();
        return *fmLogin;
    }

    // Opens the setup dialog with the settings button and runs `inside` in its modal loop; the
    // dialog is closed with its close button if `inside` left it open.
    static void WithSetup(const std::function<void(TfmSetup&)>& inside) {
        drive::RunInsideModal([&] {
            ASSERT_NE(fmSetup, nullptr);
            TfmSetup& dialog = *fmSetup;
            inside(dialog);
            if (fmSetup == &dialog && dialog.ModalResult() == mrNone)
                ::SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        });
        drive::Click(*fmLogin->SpeedButton1);
        Application->ProcessMessages();
    }

    static void Save(TfmSetup& dialog, const std::wstring& url, const std::wstring& name) {
        dialog.edUrl->SetText(url);
        dialog.edName->SetText(name);
        drive::Click(*dialog.SpeedButton1);
    }

    static void SignIn(const std::wstring& name, const std::wstring& password) {
        fmLogin->UserName->SetText(name);
        fmLogin->UserPass->SetText(password);
        drive::Click(*fmLogin->vbLogin);
    }

    // The main window hidden to the tray and brought back by a click on the icon: its show
    // handler runs again.
    static void HideToTrayAndBack() {
        drive::Click(fmMainForm->buttMin);
        ::SendMessageW(fmMainForm->TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId,
                       WM_LBUTTONDOWN);
        ::SendMessageW(fmMainForm->TrayIcon1.Handle(), TTrayIcon::CallbackMessage, TTrayIcon::IconId,
                       WM_LBUTTONUP);
        Application->ProcessMessages();
    }

    // The texts of the boxes shown, in order.
    static std::vector<std::wstring> BoxTexts() {
        std::vector<std::wstring> texts;
        for (const drive::ShownBox& box : Boxes()) texts.push_back(box.text);
        return texts;
    }

    // Checks that exactly one box was shown, by the general error handler, with the given text;
    // clears the record.
    static void ExpectOneErrorBox(const std::wstring& text) {
        ASSERT_EQ(Boxes().size(), 1u) << "boxes shown: " << Boxes().size();
        EXPECT_EQ(Boxes()[0].text, text);
        EXPECT_EQ(Boxes()[0].flags, kErrorBox);
        EXPECT_EQ(Boxes()[0].caption, Boxes()[0].titleThen); // the application title
        EXPECT_EQ(Boxes()[0].owner, Application->Handle());
        Boxes().clear();
    }

    static void PutDword(const wchar_t* name) { drive::PutDwordSetting(name, 1); }

    std::unique_ptr<TApplication> app_;
};

// ---- the key denied after start ----

TEST_F(RegistryFaults, KeyDeniedAfterStartGivesDefaultsStoresNothingAndReportsNothing) {
    drive::PutSetting(L"Url", kLocalAddress);
    drive::PutSetting(L"Title", L"华东分销");
    drive::PutSetting(L"Type", L"0");
    drive::PutSetting(L"cbSave", L"-1");
    drive::PutSetting(L"用户名", L"staff");
    drive::PutSetting(L"管理密码", L"s3cret");
    TfmLogin& login = Start();
    ASSERT_TRUE(login.RadioButton2->Checked());
    ASSERT_EQ(login.UserName->Text(), L"staff");
    ASSERT_EQ(Application->Title(), L"华东分销");

    ASSERT_TRUE(faults::LockSettingsKey(faults::kNoAccess));

    // Mode switches read the defaults: no user name, remember flag off, password box kept.
    drive::Click(*login.RadioButton1);
    EXPECT_EQ(login.Label2->Caption(), L"会员帐号:");
    EXPECT_EQ(login.UserName->Text(), L"");
    EXPECT_FALSE(login.cbSave->Checked());
    EXPECT_EQ(login.UserPass->Text(), L"s3cret");
    drive::Click(*login.RadioButton2);
    EXPECT_EQ(login.UserName->Text(), L"");

    // A sign-in finds no address, so the setup dialog opens with the defaults; its save stores
    // nothing, the title falls back to the default and the success message still shows.
    std::wstring shownUrl, shownName;
    drive::RunInsideModal([&] {
        ASSERT_NE(fmSetup, nullptr);
        shownUrl = fmSetup->edUrl->Text();
        shownName = fmSetup->edName->Text();
        Save(*fmSetup, L"http://other.example.invalid", L"新名称");
    });
    SignIn(L"alice", L"pw");
    Application->ProcessMessages();
    EXPECT_EQ(shownUrl, L"http://");
    EXPECT_EQ(shownName, L"");
    EXPECT_EQ(fmSetup, nullptr);
    EXPECT_EQ(BoxTexts(), (std::vector<std::wstring>{L"未填写订货系统网址，请先设置！", L"设置成功！"}));
    EXPECT_EQ(Boxes().back().titleThen, kDefaultTitle);
    EXPECT_TRUE(::IsWindowVisible(login.Handle()));

    // Unlocked again, the key holds exactly what it held before the lock.
    faults::UnlockSettingsKey();
    EXPECT_EQ(StoredText(L"Url"), kLocalAddress);
    EXPECT_EQ(StoredText(L"Title"), L"华东分销");
    EXPECT_EQ(StoredText(L"Type"), L"0");
    EXPECT_EQ(StoredText(L"cbSave"), L"-1");
    EXPECT_EQ(StoredText(L"用户名"), L"staff");
    EXPECT_EQ(StoredText(L"管理密码"), L"s3cret");
    EXPECT_EQ(StoredText(L"会员名"), std::nullopt);
}

TEST_F(RegistryFaults, ReadOnlyKeyAfterStartKeepsItsValuesAndSilentlyStoresNothing) {
    drive::PutSetting(L"Url", kLocalAddress);
    drive::PutSetting(L"Title", L"华东分销");
    drive::PutSetting(L"用户名", L"staff");
    TfmLogin& login = Start();
    ASSERT_TRUE(faults::LockSettingsKey(faults::kReadOnly));


    drive::Click(*login.RadioButton2);
    EXPECT_EQ(login.UserName->Text(), L"staff"); // reads still work

    // The sign-in passes its checks and opens the main window; none of its stores happens, and
    // nothing says so.
    drive::Click(*login.cbSave);
    SignIn(L"alice", L"pw");
    EXPECT_TRUE(Boxes().empty());
    ASSERT_NE(fmMainForm, nullptr);
    EXPECT_TRUE(::IsWindowVisible(fmMainForm->Handle()));
    EXPECT_EQ(fmMainForm->Label1.Caption(), std::wstring(L"老板，您正在使用华东分销，访问网址：") + kLocalAddress);
    fmLogin->Show();

    // The setup dialog's save stores nothing and applies the title that is still stored.
    WithSetup([](TfmSetup& d) {
        EXPECT_EQ(d.edUrl->Text(), kLocalAddress);
        Save(d, L"http://other.example.invalid", L"新名称");
    });
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"设置成功！"});
    EXPECT_EQ(Application->Title(), L"华东分销");

    faults::UnlockSettingsKey();
    EXPECT_EQ(StoredText(L"Url"), kLocalAddress);
    EXPECT_EQ(StoredText(L"Title"), L"华东分销");
    EXPECT_EQ(StoredText(L"用户名"), L"staff");
    EXPECT_EQ(StoredText(L"Type"), L"1"); // written at start, before the lock
    EXPECT_EQ(StoredText(L"cbSave"), std::nullopt);
    EXPECT_EQ(StoredText(L"管理密码"), std::nullopt);
}

// ---- a value of the wrong type ----

TEST_F(RegistryFaults, WrongTypeAtStartUpEndsTheCreationHandlerAndTheWindowStaysUsable) {
    struct Case {
        const wchar_t* value;
        bool modeSelected; // whether the ordering login got selected before the error
    };
    const Case cases[] = {
        {L"Type", false},
        {L"会员名", true},
        {L"cbSave", true},
        {L"Title", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "wrong type: " << c.value);
        drive::PutSetting(L"Url", kLocalAddress);
        if (std::wstring(c.value) != L"Title") drive::PutSetting(L"Title", L"华东分销");
        PutDword(c.value);
        TfmLogin& login = Start();

        ExpectOneErrorBox(std::wstring(L"Invalid data type for '") + c.value + L"'");
        // The rest of the creation handler was skipped: the stored title was never applied.
        EXPECT_EQ(Application->Title(), kDefaultTitle);
        EXPECT_EQ(login.RadioButton1->Checked(), c.modeSelected);
        EXPECT_FALSE(login.RadioButton2->Checked());
        EXPECT_TRUE(::IsWindowVisible(login.Handle()));

        // Once the value is fixed, both modes apply again and a sign-in stores its values.
        drive::PutSetting(c.value, std::wstring(c.value) == L"Type" ? L"1" : L"");
        drive::Click(*login.RadioButton2);
        EXPECT_EQ(login.vbLogin->Caption(), L"供应商登陆");
        drive::Click(*login.RadioButton1);
        EXPECT_EQ(login.vbLogin->Caption(), L"订货登陆");
        SignIn(L"alice", L"pw");
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(StoredText(L"会员名"), L"alice");
        EXPECT_EQ(StoredText(L"cbSave"), L"0");
        TearDown();
        SetUp();
    }
}

TEST_F(RegistryFaults, SignInRightAfterAFailedModeSelectionStoresAndOpensTheOrderingLogin) {
    // With "Type" unreadable at start no mode is selected; the sign-in then takes the ordering
    // login for what it stores as for the page it opens.
    drive::PutSetting(L"Url", kLocalAddress);
    PutDword(L"Type");
    TfmLogin& login = Start();
    ExpectOneErrorBox(L"Invalid data type for 'Type'");
    ASSERT_FALSE(login.RadioButton1->Checked());
    ASSERT_FALSE(login.RadioButton2->Checked());

    SignIn(L"alice", L"pw");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(StoredText(L"会员名"), L"alice");
    EXPECT_EQ(StoredText(L"用户名"), std::nullopt);

    // The page: a second sign-in, with the main window there to watch its browser.
    ASSERT_NE(fmMainForm, nullptr);
    std::wstring page;
    fmMainForm->WebBrowser1.OnBeforeNavigate2 = [&](TObject*, const std::wstring& url, bool& cancel) {
        page = url;
        cancel = true;
    };
    SignIn(L"alice", L"pw");
    for (int waited = 0; waited < 3000 && page.empty(); waited += 10) {
        Application->ProcessMessages();
        ::Sleep(10);
    }
    EXPECT_EQ(page.rfind(std::wstring(kLocalAddress) + L"/shop/index.aspx?UserName=alice&UserPass=", 0), 0u)
        << "page: " << page;
}

TEST_F(RegistryFaults, WrongTypedAddressStopsTheSignInAndTheSetupDialogRepairsIt) {
    PutDword(L"Url");
    drive::PutSetting(L"Title", L"华东分销");
    TfmLogin& login = Start();
    ASSERT_TRUE(Boxes().empty());

    // The sign-in ends at its first read: nothing stored, no setup dialog.
    bool setupOpened = false;
    drive::RunInsideModal([&] {
        setupOpened = true;
        if (fmSetup) fmSetup->Close();
    });
    SignIn(L"alice", L"pw");
    EXPECT_FALSE(setupOpened);
    drive::PendingInsideModal() = nullptr; // no modal loop ran: nothing left to do inside one
    ExpectOneErrorBox(L"Invalid data type for 'Url'");
    EXPECT_EQ(fmSetup, nullptr);
    EXPECT_EQ(StoredText(L"cbSave"), std::nullopt);
    EXPECT_EQ(StoredText(L"会员名"), std::nullopt);

    // The dialog still opens: its creation stopped at the address, so neither box was loaded.
    std::wstring shownUrl = L"(not shown)", shownName = L"(not shown)";
    WithSetup([&](TfmSetup& d) {
        shownUrl = d.edUrl->Text();
        shownName = d.edName->Text();
        ExpectOneErrorBox(L"Invalid data type for 'Url'");
        Save(d, kLocalAddress, L"华东分销");
    });
    EXPECT_EQ(shownUrl, L"");
    EXPECT_EQ(shownName, L"");
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"设置成功！"});
    EXPECT_EQ(faults::StoredType(L"Url"), static_cast<DWORD>(REG_SZ));
    Boxes().clear();

    // The next sign-in goes through.
    SignIn(L"alice", L"pw");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(StoredText(L"会员名"), L"alice");
    EXPECT_TRUE(login.RadioButton1->Checked());
}

TEST_F(RegistryFaults, WrongTypedNameInTheSetupDialogIsReportedAndReplacedBySaving) {
    drive::PutSetting(L"Url", kLocalAddress);
    Start();
    PutDword(L"Title");

    std::wstring shownUrl, shownName = L"(not shown)";
    WithSetup([&](TfmSetup& d) {
        shownUrl = d.edUrl->Text();
        shownName = d.edName->Text();
        ExpectOneErrorBox(L"Invalid data type for 'Title'");
        // The save replaces the wrong value before it reads it back.
        Save(d, kLocalAddress, L"门店订货");
    });
    EXPECT_EQ(shownUrl, kLocalAddress);
    EXPECT_EQ(shownName, L"");
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"设置成功！"});
    EXPECT_EQ(Boxes()[0].titleThen, L"门店订货");
    EXPECT_EQ(StoredText(L"Title"), L"门店订货");
    EXPECT_EQ(fmSetup, nullptr);
}

TEST_F(RegistryFaults, WrongTypeInTheMainWindowsShowIsReportedAndTheWindowStillShows) {
    drive::PutSetting(L"Url", kLocalAddress);
    TfmLogin& login = Start();
    PutDword(L"Title");

    // The first show, inside the sign-in: the status text is never set, the sign-in goes on.
    SignIn(L"alice", L"pw");
    ExpectOneErrorBox(L"Invalid data type for 'Title'");
    ASSERT_NE(fmMainForm, nullptr);
    TfmMainForm& main = *fmMainForm;
    EXPECT_TRUE(::IsWindowVisible(main.Handle()));
    EXPECT_FALSE(::IsWindowVisible(login.Handle()));
    EXPECT_EQ(main.Label1.Caption(), L"");
    EXPECT_EQ(StoredText(L"会员名"), L"alice");

    // Each later show, back from the tray: once fixed the text follows; a wrong address leaves
    // the last text and the window shown.
    drive::PutSetting(L"Title", L"华东分销");
    HideToTrayAndBack();
    EXPECT_TRUE(Boxes().empty());
    const std::wstring shown = std::wstring(L"老板，您正在使用华东分销，访问网址：") + kLocalAddress;
    EXPECT_EQ(main.Label1.Caption(), shown);

    PutDword(L"Url");
    HideToTrayAndBack();
    ExpectOneErrorBox(L"Invalid data type for 'Url'");
    EXPECT_TRUE(::IsWindowVisible(main.Handle()));
    EXPECT_EQ(main.Label1.Caption(), shown);

    drive::PutSetting(L"Url", L"http://127.0.0.1:9/shop");
    HideToTrayAndBack();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(main.Label1.Caption(), L"老板，您正在使用华东分销，访问网址：http://127.0.0.1:9/shop");
}

TEST_F(RegistryFaults, KeyDeniedWhileTheMainWindowIsUpShowsTheDefaultsSilently) {
    drive::PutSetting(L"Url", kLocalAddress);
    drive::PutSetting(L"Title", L"华东分销");
    Start();
    SignIn(L"alice", L"pw");
    ASSERT_NE(fmMainForm, nullptr);
    ASSERT_TRUE(faults::LockSettingsKey(faults::kNoAccess));

    HideToTrayAndBack();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(::IsWindowVisible(fmMainForm->Handle()));
    EXPECT_EQ(fmMainForm->Label1.Caption(), L"老板，您正在使用客户订货系统，访问网址：");
}

// ---- one store failing in the middle of a sign-in ----

TEST_F(RegistryFaults, StoreFailingAtSignInKeepsTheEarlierValuesAndEndsTheSignIn) {
    struct Case {
        const wchar_t* failing;
        std::vector<const wchar_t*> storedBefore; // in the order the sign-in stores them
    };
    const Case cases[] = {
        {L"cbSave", {}},
        {L"会员名", {L"cbSave"}},
        {L"会员密码", {L"cbSave", L"会员名"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "failing: " << c.failing);
        drive::PutSetting(L"Url", kLocalAddress);
        TfmLogin& login = Start();
        drive::Click(*login.cbSave);
        {
            faults::FailingStore failing(c.failing);
            ASSERT_TRUE(failing.Active());
            SignIn(L"alice", L"pw");
        }
        ExpectOneErrorBox(std::wstring(L"Failed to set data for '") + c.failing + L"'");
        EXPECT_EQ(fmMainForm, nullptr); // no main window opened
        EXPECT_TRUE(::IsWindowVisible(login.Handle()));
        const std::vector<std::pair<const wchar_t*, const wchar_t*>> all = {
            {L"cbSave", L"-1"}, {L"会员名", L"alice"}, {L"会员密码", L"pw"}};
        for (const auto& [name, text] : all) {
            const bool before = std::find_if(c.storedBefore.begin(), c.storedBefore.end(), [&](const wchar_t* n) {
                                    return std::wstring(n) == name;
                                }) != c.storedBefore.end();
            EXPECT_EQ(StoredText(name), before ? std::optional<std::wstring>(text) : std::nullopt)
                << "value " << name;
        }

        // Once the registry takes the stores again, the same sign-in goes through.
        SignIn(L"alice", L"pw");
        EXPECT_TRUE(Boxes().empty());
        for (const auto& [name, text] : all) EXPECT_EQ(StoredText(name), text) << "value " << name;
        ASSERT_NE(fmMainForm, nullptr);
        EXPECT_TRUE(::IsWindowVisible(fmMainForm->Handle()));
        EXPECT_FALSE(::IsWindowVisible(login.Handle()));
        TearDown();
        SetUp();
    }
}

} // namespace
