// Single instance with two real processes: the client executable started twice in the test
// prefix, with and without a configured title.
#include "tests/win32/support/FormDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ClientPath() {
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir.resize(dir.find_last_of(L"\\/"));              // .../tests
    dir.resize(dir.find_last_of(L"\\/"));              // the build directory
    return dir + L"\\app\\OrderClient.exe";
}

// A started client; ended at the end of the test if it still runs.
class Client {
public:
    Client() {
        const std::wstring exe = ClientPath();
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, nullptr, &si, &pi_) != FALSE;
    }
    ~Client() {
        if (!started_) return;
        if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(pi_.hProcess, 1);
            ::WaitForSingleObject(pi_.hProcess, 5000);
        }
        ::CloseHandle(pi_.hThread);
        ::CloseHandle(pi_.hProcess);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Started() const { return started_; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindShownLogin(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[32]{};
    ::GetClassNameW(hwnd, name, 32);
    if (pid == s->pid && ::IsWindowVisible(hwnd) && std::wstring(name) == L"TfmLogin") {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND ShownLogin(DWORD pid) {
    Search s{pid, nullptr};
    ::EnumWindows(FindShownLogin, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitForLogin(const Client& client, DWORD timeoutMs = 15000) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (HWND hwnd = ShownLogin(client.Pid())) return hwnd;
        if (::WaitForSingleObject(client.Process(), 20) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override { drive::ClearSettings(); }
    void TearDown() override { drive::ClearSettings(); }
};

TEST_F(SingleInstance, SecondStartUnderTheDefaultTitleShowsNothingBringsTheFirstForwardAndExits) {
    // No title, a blank one, and the default itself all leave the running copy's title at the
    // default.
    for (const wchar_t* title : {static_cast<const wchar_t*>(nullptr), L"   ", L"客户订货系统"}) {
        drive::ClearSettings();
        if (title) drive::PutSetting(L"Title", title);
        Client first;
        ASSERT_TRUE(first.Started()) << "client not found at " << ClientPath();
        HWND firstLogin = WaitForLogin(first);
        ASSERT_NE(firstLogin, nullptr);

        Client second;
        ASSERT_TRUE(second.Started());
        bool secondShowedAWindow = false;
        const DWORD start = ::GetTickCount();
        while (::WaitForSingleObject(second.Process(), 10) == WAIT_TIMEOUT &&
               ::GetTickCount() - start < 15000)
            if (ShownLogin(second.Pid())) secondShowedAWindow = true;
        DWORD exitCode = STILL_ACTIVE;
        ::GetExitCodeProcess(second.Process(), &exitCode);
        EXPECT_EQ(exitCode, 0u) << (title ? "title set" : "no title");
        EXPECT_FALSE(secondShowedAWindow);
        EXPECT_EQ(::GetForegroundWindow(), firstLogin);
        EXPECT_EQ(::WaitForSingleObject(first.Process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }
}

TEST_F(SingleInstance, WithAnotherTitleConfiguredASecondCopyRuns) {
    drive::PutSetting(L"Title", L"华东分销");
    Client first;
    ASSERT_TRUE(first.Started()) << "client not found at " << ClientPath();
    ASSERT_NE(WaitForLogin(first), nullptr);
    Client second;
    EXPECT_NE(WaitForLogin(second), nullptr);
    EXPECT_EQ(::WaitForSingleObject(first.Process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

} // namespace
