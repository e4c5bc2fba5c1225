// A sign-in from the sign-in window: the main window opens, its real browser is sent to the
// sign-in address of the chosen mode, and the sign-in window hides.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Hooks.h"
#include "framework/RadioButton.h"
#include "shell/unMainForm.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

class SignInAddressTest : public ::testing::Test {
protected:
    void SetUp() override {
        drive::ClearSettings();
        drive::AnswerBoxesWithOk();
        app = std::make_unique<TApplication>();
        app->CreateForm(fmLogin);
        fmLogin->Show();
    }
    void TearDown() override {
        app.reset();
        drive::DrainQueue();
        hooks::ResetAll();
        drive::ClearSettings();
    }

    // Signs in with the boxes filled as given; once the main window exists, returns the addresses
    // its browser was sent to (each navigation is cancelled, nothing goes to the network).
    std::vector<std::wstring> SignIn(bool backOffice, const std::wstring& name, const std::wstring& password) {
        std::vector<std::wstring> seen;
        const bool recording = fmMainForm != nullptr;
        if (recording) {
            fmMainForm->WebBrowser1.OnBeforeNavigate2 = [&](TObject*, const std::wstring& url, bool& cancel) {
                seen.push_back(url);
                cancel = true;
            };
        }
        (backOffice ? fmLogin->RadioButton2 : fmLogin->RadioButton1)->SetChecked(true);
        fmLogin->UserName->SetText(name);
        fmLogin->UserPass->SetText(password);
        fmLogin->vbLoginClick(fmLogin->vbLogin);
        for (int waited = 0; recording && waited < 2000 && seen.empty(); waited += 20) Pump(20);
        return seen;
    }

    std::unique_ptr<TApplication> app;
};

} // namespace

TEST_F(SignInAddressTest, TheFirstSignInOpensTheMainWindowAndHidesTheSignInWindow) {
    drive::PutSetting(L"Url", L"http://127.0.0.1:9");
    ASSERT_EQ(fmMainForm, nullptr);
    SignIn(false, L"alice", L"123456");
    ASSERT_NE(fmMainForm, nullptr);
    EXPECT_TRUE(::IsWindowVisible(fmMainForm->Handle()));
    EXPECT_FALSE(::IsWindowVisible(fmLogin->Handle()));
    EXPECT_TRUE(fmMainForm->WebBrowser1.Active());

    // A later sign-in reuses the window.
    TfmMainForm* first = fmMainForm;
    fmLogin->Show();
    SignIn(false, L"alice", L"123456");
    EXPECT_EQ(fmMainForm, first);
}

TEST_F(SignInAddressTest, TheBrowserGetsTheExactSignInAddressOfTheMode) {
    struct Case {
        const wchar_t* stored;
        bool backOffice;
        const wchar_t* name;
        const wchar_t* password;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"http://127.0.0.1:9", false, L"alice", L"123456",
         L"http://127.0.0.1:9/shop/index.aspx?UserName=alice&UserPass=e10adc3949ba59abbe56e057f20f883e"},
        {L"http://127.0.0.1:9", true, L"bob", L"abc",
         L"http://127.0.0.1:9/tarvelo.aspx?UserName=bob&UserPass=900150983cd24fb0d6963f7d28e17f72"},
        // The stored address as it is: a trailing "/" gives two slashes.
        {L"http://127.0.0.1:9/", true, L"bob", L"abc",
         L"http://127.0.0.1:9//tarvelo.aspx?UserName=bob&UserPass=900150983cd24fb0d6963f7d28e17f72"},
        // Name and password trimmed before use.
        {L"http://127.0.0.1:9", false, L"  alice\t", L" 123456  ",
         L"http://127.0.0.1:9/shop/index.aspx?UserName=alice&UserPass=e10adc3949ba59abbe56e057f20f883e"},
        // The digest of the password's code page 936 bytes.
        {L"http://127.0.0.1:9", false, L"张三", L"密码",
         L"http://127.0.0.1:9/shop/index.aspx?UserName=张三&UserPass=d2293e30f0c964c5f6242486aa8a483c"},
        // A name that would change the meaning of the query is encoded.
        {L"http://127.0.0.1:9", false, L"a&b#c d", L"x",
         L"http://127.0.0.1:9/shop/index.aspx?UserName=a%26b%23c%20d&UserPass=9dd4e461268c8034f5c8564e155c67a6"},
    };
    drive::PutSetting(L"Url", L"http://127.0.0.1:9");
    SignIn(false, L"first", L"x"); // makes the main window
    ASSERT_NE(fmMainForm, nullptr);
    for (const Case& c : cases) {
        drive::PutSetting(L"Url", c.stored);
        fmLogin->Show();
        const std::vector<std::wstring> seen = SignIn(c.backOffice, c.name, c.password);
        ASSERT_EQ(seen.size(), 1u) << c.expected;
        EXPECT_EQ(seen[0], c.expected);
        EXPECT_FALSE(::IsWindowVisible(fmLogin->Handle()));
    }
}
