// Hostile text in every box of the sign-in window and the setup dialog: very long texts, control
// characters, only blanks, URL-special and Chinese characters, characters with no GBK form. None
// may crash or hang, and the settings hold either the whole trimmed text or nothing; the main
// window's browser gets a well-formed sign-in address with a defined digest, and its status bar
// the whole texts.
#include "app/TextRules.h"
#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "setup/unSetup.h"
#include "shell/unMainForm.h"
#include "signin/unLogin.h"
#include "tests/win32/support/FormDriver.h"
#include "tests/win32/support/RegistryFaults.h"
#include "widgets/v2TransBtn.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using drive::Boxes;
using faults::StoredText;

namespace {

constexpr wchar_t kNoAddress[] = L"订货系统URL网址不能为空！";
constexpr wchar_t kBadScheme[] = L"URL网址错误，必须加上http://";
constexpr wchar_t kSaved[] = L"设置成功！";
constexpr wchar_t kNoUserName[] = L"请填写用户名！";
constexpr wchar_t kNoPassword[] = L"请填写登陆密码！";

// n characters cycling through ASCII letters, Chinese and punctuation, none of them blank.
std::wstring LongText(size_t n) {
    static const std::wstring pattern = L"订货abc张三&#%+=测试xyz";
    std::wstring text;
    text.reserve(n);
    while (text.size() < n) text += pattern;
    text.resize(n);
    return text;
}

const std::wstring kLong = LongText(10000);
const std::wstring kLongBlanks(10000, L' ');
const std::wstring kControls = L"\x01\x02\x07\x08\x1b\x1f";
const std::wstring kEmoji = L"\xD83D\xDE00"; // U+1F600, no GBK form
const std::wstring kLoneSurrogate = L"\xD800";

class BadInput : public ::testing::Test {
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

    TfmLogin& Start() {
        app_ = std::make_unique<TApplication>();
        Application->SetTitle(L"客户订货系统");
        Application->CreateForm(fmLogin);
        if (Application->ShowMainForm) Application->MainForm()->Show();
        Application->ProcessMessages();
        return *fmLogin;
    }

    void Restart() {
        app_.reset();
        fmLogin = nullptr;
        fmSetup = nullptr;
        fmMainForm = nullptr;
        drive::DrainQueue();
        Start();
    }

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

    std::unique_ptr<TApplication> app_;
};

// Puts text into an edit box the way a user pastes it: through the clipboard and WM_PASTE.
bool Paste(HWND edit, const std::wstring& text) {
    if (!::OpenClipboard(edit)) return false;
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool put = false;
    if (memory) {
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put) ::GlobalFree(memory);
    }
    ::CloseClipboard();
    if (!put) return false;
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, WM_PASTE, 0, 0);
    return true;
}

// ---- the sign-in window ----

TEST_F(BadInput, SignInBoxesStoreTheWholeTrimmedTextOrNothing) {
    struct Case {
        const char* what;
        std::wstring name;
        std::wstring password;
        const wchar_t* message; // nullptr: the sign-in passes
    };
    const Case cases[] = {
        {"10,000-character user name", L"  " + kLong + L"\t", L"pw", nullptr},
        {"10,000-character password", L"alice", L" " + kLong + L" ", nullptr},
        {"control characters around and inside", kControls + L"a\x07" L"b" + kControls,
         kControls + L"p\x1bw" + kControls, nullptr},
        {"URL-special and Chinese characters", L" &#%+= 张三 ", L"&#%+= 密码", nullptr},
        {"emoji and a lone surrogate", L"李" + kEmoji, L"pw" + kEmoji + kLoneSurrogate, nullptr},
        {"user name of control characters", kControls, L"pw", kNoUserName},
        {"user name of 10,000 blanks", kLongBlanks, L"pw", kNoUserName},
        {"password of blanks and line breaks", L"alice", L" \t\r\n ", kNoPassword},
        {"password of 10,000 blanks", L"alice", kLongBlanks, kNoPassword},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        drive::PutSetting(L"Url", L"http://127.0.0.1:9");
        TfmLogin& login = Start();
        drive::Click(*login.cbSave); // remember the password, so that it is stored too
        login.UserName->SetText(c.name);
        login.UserPass->SetText(c.password);
        ASSERT_EQ(login.UserName->Text(), c.name);
        ASSERT_EQ(login.UserPass->Text(), c.password);
        drive::Click(*login.vbLogin);

        if (c.message) {
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0].text, c.message);
            EXPECT_EQ(StoredText(L"cbSave"), std::nullopt);
            EXPECT_EQ(StoredText(L"会员名"), std::nullopt);
            EXPECT_EQ(StoredText(L"会员密码"), std::nullopt);
        } else {
            EXPECT_TRUE(Boxes().empty());
            EXPECT_EQ(StoredText(L"会员名"), TrimText(c.name));
            EXPECT_EQ(StoredText(L"会员密码"), TrimText(c.password));
            // The next start shows them again, whole.
            Restart();
            EXPECT_EQ(fmLogin->UserName->Text(), TrimText(c.name));
            EXPECT_EQ(fmLogin->UserPass->Text(), TrimText(c.password));
        }
        TearDown();
        SetUp();
    }
}

TEST_F(BadInput, LongTextsTypedAndPastedSignInWithEnter) {
    drive::PutSetting(L"Url", L"http://127.0.0.1:9");
    TfmLogin& login = Start();
    drive::Click(*login.RadioButton2);
    drive::Click(*login.cbSave);
    ASSERT_TRUE(Paste(login.UserName->Handle(), L" " + kLong + L" "));
    EXPECT_EQ(login.UserName->Text(), L" " + kLong + L" ");
    // The password is pasted but for its last characters, which are typed: each passes the box's
    // key handler; Enter signs in.
    const size_t typed = 20;
    ASSERT_TRUE(Paste(login.UserPass->Handle(), kLong.substr(0, kLong.size() - typed)));
    login.UserPass->SetFocus();
    ::SendMessageW(login.UserPass->Handle(), EM_SETSEL, kLong.size(), kLong.size());
    drive::Type(login.UserPass->Handle(), kLong.substr(kLong.size() - typed));
    EXPECT_EQ(login.UserPass->Text(), kLong);
    drive::PressKey(login.UserPass->Handle(), VK_RETURN);

    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(StoredText(L"用户名"), kLong);
    EXPECT_EQ(StoredText(L"管理密码"), kLong);
    EXPECT_EQ(StoredText(L"cbSave"), L"-1");
}

// Handles the waiting messages for a while.
void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        Application->ProcessMessages();
        ::Sleep(5);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

TEST_F(BadInput, SignInAddressCarriesTheWholeNameAndADefinedDigest) {
    const std::wstring longName = [] {
        std::wstring name;
        while (name.size() < 10000) name += L"订货abc张三";
        name.resize(10000);
        return name;
    }();
    std::wstring longChinesePassword;
    for (int i = 0; i < 5000; ++i) longChinesePassword += L"密码";
    struct Case {
        const char* what;
        std::wstring name;
        std::wstring password;
        std::wstring nameInAddress;
        const wchar_t* digest;
    };
    const Case cases[] = {
        {"10,000-character name", L" " + longName + L" ", L"pw", longName, L"8fe4c11451281c094a6578e6ddbf5eed"},
        {"10,000-character password", L"alice", std::wstring(10000, L'a'), L"alice",
         L"0d0c9c4db6953fee9e03f528cafd7d3e"},
        {"10,000-character Chinese password", L"alice", longChinesePassword, L"alice", L"425238a59e1eea8c790f8e791a64e2e3"},
        // A character with no GBK form is digested as "?": "pw?" in both.
        {"emoji in the password", L"alice", L"pw" + kEmoji, L"alice", L"15155b77ea1c26d871aa469a4893e198"},
        {"lone surrogate in the password", L"alice", L"pw" + kLoneSurrogate, L"alice",
         L"15155b77ea1c26d871aa469a4893e198"},
        // Characters that would end or change the query are escaped, control characters too.
        {"control and URL-special characters in the name", L"\x01" L"a\x07&#%+= b\x1f", L"pw",
         L"a%07%26%23%25%2B%3D%20b", L"8fe4c11451281c094a6578e6ddbf5eed"},
    };

    drive::PutSetting(L"Url", L"http://127.0.0.1:9");
    TfmLogin& login = Start();
    login.UserName->SetText(L"first");
    login.UserPass->SetText(L"x");
    drive::Click(*login.vbLogin); // makes the main window
    ASSERT_NE(fmMainForm, nullptr);
    std::vector<std::wstring> seen;
    fmMainForm->WebBrowser1.OnBeforeNavigate2 = [&](TObject*, const std::wstring& url, bool& cancel) {
        seen.push_back(url);
        cancel = true; // nothing goes to the network
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seen.clear();
        login.UserName->SetText(c.name);
        login.UserPass->SetText(c.password);
        drive::Click(*login.vbLogin);
        for (int waited = 0; waited < 3000 && seen.empty(); waited += 20) Pump(20);
        EXPECT_TRUE(Boxes().empty());
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0], L"http://127.0.0.1:9/shop/index.aspx?UserName=" + c.nameInAddress + L"&UserPass=" +
                               c.digest);
    }
}

TEST_F(BadInput, StatusBarShowsLongTitleAndAddressWhole) {
    const std::wstring address = L"http://127.0.0.1:9/" + std::wstring(9981, L'p');
    drive::PutSetting(L"Url", address);
    TfmLogin& login = Start();
    drive::PutSetting(L"Title", kLong);
    login.UserName->SetText(L"alice");
    login.UserPass->SetText(L"pw");
    drive::Click(*login.vbLogin);
    ASSERT_NE(fmMainForm, nullptr);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(fmMainForm->Label1.Caption(), L"老板，您正在使用" + kLong + L"，访问网址：" + address);
    // Painted whole, maximized and back.
    ::RedrawWindow(fmMainForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    drive::Click(fmMainForm->buttMax);
    drive::Click(fmMainForm->buttMax);
    Application->ProcessMessages();
    EXPECT_TRUE(::IsWindowVisible(fmMainForm->Handle()));
}

// ---- the setup dialog ----

TEST_F(BadInput, SetupBoxesStoreTheWholeTrimmedTextOrNothing) {
    const std::wstring longAddress = L"http://" + LongText(10000 - 7);
    struct Case {
        const char* what;
        std::wstring address;
        std::wstring name;
        const wchar_t* message; // the first message shown
    };
    const Case cases[] = {
        {"10,000-character address and name", L" " + longAddress + L" ", L"\t" + kLong + L"\r\n", kSaved},
        {"control characters around and inside", kControls + L"http://a.invalid/\x07x" + kControls,
         kControls + L"华\x1b东" + kControls, kSaved},
        {"URL-special, Chinese and emoji", L"http://例子.invalid/&#%+= ?a=1" + kEmoji,
         L" &#%+= 分销" + kEmoji + L" ", kSaved},
        {"address of control characters", kControls, L"华东", kNoAddress},
        {"address of 10,000 blanks", kLongBlanks, L"华东", kNoAddress},
        {"10,000-character address without the scheme", LongText(10000), L"华东", kBadScheme},
        {"scheme after control characters inside", L"\x01 x http://a.invalid", L"华东", kBadScheme},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start();
        Boxes().clear();
        WithSetup([&](TfmSetup& d) {
            d.edUrl->SetText(c.address);
            d.edName->SetText(c.name);
            drive::Click(*d.SpeedButton1);
        });
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes()[0].text, c.message);
        EXPECT_EQ(Boxes().size(), 1u);
        if (std::wstring(c.message) == kSaved) {
            EXPECT_EQ(StoredText(L"Url"), TrimText(c.address));
            EXPECT_EQ(StoredText(L"Title"), TrimText(c.name));
            EXPECT_EQ(Application->Title(), TrimText(c.name));
            // Opened again, the dialog shows both whole.
            std::wstring shownUrl, shownName;
            WithSetup([&](TfmSetup& d) {
                shownUrl = d.edUrl->Text();
                shownName = d.edName->Text();
            });
            EXPECT_EQ(shownUrl, TrimText(c.address));
            EXPECT_EQ(shownName, TrimText(c.name));
            // And the next start takes the stored name as its title.
            Restart();
            EXPECT_EQ(Application->Title(), TrimText(c.name));
        } else {
            EXPECT_EQ(StoredText(L"Url"), std::nullopt);
            EXPECT_EQ(StoredText(L"Title"), std::nullopt);
            EXPECT_EQ(Application->Title(), L"客户订货系统");
        }
        TearDown();
        SetUp();
    }
}

} // namespace
