// The application object and forms: the hidden application window, the principal form, message
// boxes, the general error handler, closing and modal showing, minimising the whole program.
#include "framework/Application.h"
#include "framework/Form.h"
#include "tests/win32/support/FormDriver.h"

#include <gtest/gtest.h>

#include <memory>

using drive::Boxes;

namespace {

class TestForm : public TForm {
public:
    explicit TestForm(TComponent* AOwner) : TForm(AOwner) {
        SetBorderStyle(bsNone);
        SetClientWidth(200);
        SetClientHeight(100);
        ++alive;
        DoCreate();
    }
    ~TestForm() override { --alive; }
    static int alive;
};
int TestForm::alive = 0;

class ApplicationAndForms : public ::testing::Test {
protected:
    void SetUp() override {
        drive::DrainQueue();
        drive::AnswerBoxesWithOk();
        app_ = std::make_unique<TApplication>();
        Application->SetTitle(L"客户订货系统");
    }
    void TearDown() override {
        app_.reset();
        drive::DrainQueue();
        hooks::ResetAll();
    }
    std::unique_ptr<TApplication> app_;
};

TEST_F(ApplicationAndForms, TheApplicationWindowCarriesTheTitleOwnsTheFormsAndShowsOnlyWithThem) {
    wchar_t className[64]{};
    ::GetClassNameW(Application->Handle(), className, 64);
    EXPECT_STREQ(className, L"TApplication");
    EXPECT_EQ(drive::WindowText(Application->Handle()), L"客户订货系统");

    TestForm* main = nullptr;
    Application->CreateForm(main);
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_EQ(::GetWindow(main->Handle(), GW_OWNER), Application->Handle());
    EXPECT_FALSE(::IsWindowVisible(Application->Handle()));
    main->Show();
    EXPECT_TRUE(::IsWindowVisible(Application->Handle())); // the taskbar button
    EXPECT_FALSE(::GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    main->Hide();
    EXPECT_FALSE(::IsWindowVisible(Application->Handle()));
}

TEST_F(ApplicationAndForms, FormsAreCentredOnTheDesktopWithTheirClientSize) {
    TestForm* form = nullptr;
    Application->CreateForm(form);
    form->SetPosition(poDesktopCenter);
    form->Show();
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 200); // borderless: outer size is the client size
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 200) / 2 + ::GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 100) / 2 + ::GetSystemMetrics(SM_YVIRTUALSCREEN));

    form->SetBorderStyle(bsSizeable);
    form->SetClientWidth(402);
    form->SetClientHeight(161);
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 402);
    EXPECT_EQ(client.bottom, 161);
    EXPECT_TRUE(::GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CAPTION);
}

TEST_F(ApplicationAndForms, MessageBoxIsOwnedByTheApplicationAndDisablesTheFormsWhileUp) {
    TestForm* main = nullptr;
    Application->CreateForm(main);
    main->Show();
    bool enabledDuring = true;
    drive::WhileBoxIsUp() = [&](const drive::ShownBox&) { enabledDuring = ::IsWindowEnabled(main->Handle()); };
    EXPECT_EQ(Application->MessageBox(L"你好"), IDOK);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].caption, L"提示");
    EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Boxes()[0].owner, Application->Handle());
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(main->Handle()));
}

TEST_F(ApplicationAndForms, AnExceptionInAnEventIsShownWithTheTitleAndTheProgramGoesOn) {
    TestForm* main = nullptr;
    Application->CreateForm(main);
    Application->SetTitle(L"华东分销");
    main->OnPaint = [](TObject*) { throw Exception(L"Failed to set data for 'Url'"); };
    main->Show();
    ::RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GE(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, L"Failed to set data for 'Url'");
    EXPECT_EQ(Boxes()[0].caption, L"华东分销");
    EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(::IsWindow(main->Handle()));
}

TEST_F(ApplicationAndForms, ClosingThePrincipalFormTerminatesOthersFollowTheirCloseAction) {
    TestForm* main = nullptr;
    TestForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    main->Show();
    other->Show();

    bool canClose = false;
    other->OnCloseQuery = [&](TObject*, bool& can) { can = canClose; };
    other->Close();
    EXPECT_TRUE(::IsWindowVisible(other->Handle()));

    canClose = true;
    other->Close(); // default action: hide
    EXPECT_FALSE(::IsWindowVisible(other->Handle()));

    other->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
    other->Show();
    other->Close();
    EXPECT_EQ(TestForm::alive, 2); // released once the queued messages are handled
    Application->ProcessMessages();
    EXPECT_EQ(TestForm::alive, 1);
    EXPECT_FALSE(Application->Terminated());

    int after = 0;
    main->OnClose = [&](TObject*, TCloseAction&) { ++after; };
    main->Close();
    ++after; // the code running at the call goes on to its end
    EXPECT_EQ(after, 2);
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationAndForms, ShowModalDisablesTheOthersUntilAResultAndTerminateEndsIt) {
    TestForm* main = nullptr;
    Application->CreateForm(main);
    main->Show();
    auto* dialog = new TestForm(Application);
    bool mainEnabledDuring = true;
    drive::RunInsideModal([&] {
        mainEnabledDuring = ::IsWindowEnabled(main->Handle());
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(::IsWindowVisible(dialog->Handle()));

    drive::RunInsideModal([&] { Application->Terminate(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(drive::DrainQueue()); // the quit message is left for the outer loop
}

TEST_F(ApplicationAndForms, MinimiseHidesEveryShownFormAndRestoreBringsThemBack) {
    TestForm* main = nullptr;
    TestForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    main->Show();
    Application->Minimize();
    EXPECT_TRUE(::IsIconic(Application->Handle()));
    EXPECT_FALSE(::IsWindowVisible(main->Handle()));
    EXPECT_TRUE(::IsWindowVisible(Application->Handle())); // the taskbar button stays
    ::SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(::IsWindowVisible(main->Handle()));
    EXPECT_FALSE(::IsWindowVisible(other->Handle())); // it was hidden before
}

} // namespace

TEST_F(ApplicationAndForms, ProcessMessagesLeavesTheQuitMessageForTheLoopThatRunsTheProgram) {
    Application->Terminate();
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
    // The program's own loop still ends at it instead of waiting for ever.
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
