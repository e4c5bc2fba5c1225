// The message-loop timer: when it runs, that its ticks come through the message loop, and that a
// handler can stop it for good from inside a tick.
#include "framework/ErrorHandler.h"
#include "framework/Exception.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG msg;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
}

std::vector<std::wstring> g_reported;
void Record(const std::wstring& text) { g_reported.push_back(text); }

} // namespace

TEST(TTimer, RunsOnlyWhenEnabledWithAnIntervalAndAHandler) {
    struct Case {
        bool enabled;
        UINT interval;
        bool handler;
        bool running;
    };
    const Case cases[] = {
        {true, 300, true, true},
        {false, 300, true, false},
        {true, 0, true, false},
        {true, 300, false, false},
    };
    for (const Case& c : cases) {
        TTimer timer;
        timer.SetEnabled(c.enabled);
        timer.SetInterval(c.interval);
        if (c.handler) timer.SetOnTimer([](TObject*) {});
        EXPECT_EQ(timer.Running(), c.running)
            << "enabled " << c.enabled << " interval " << c.interval << " handler " << c.handler;
    }
}

TEST(TTimer, TicksThroughTheMessageLoopUntilDisabled) {
    TTimer timer;
    timer.SetInterval(20);
    int ticks = 0;
    TObject* sender = nullptr;
    timer.SetOnTimer([&](TObject* s) {
        ++ticks;
        sender = s;
    });
    EXPECT_EQ(ticks, 0) << "a tick needs the message loop";
    Pump(300);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(sender, &timer);

    timer.SetEnabled(false);
    const int stopped = ticks;
    Pump(100);
    EXPECT_EQ(ticks, stopped);
}

TEST(TTimer, AHandlerThatDisablesTheTimerRunsExactlyOnce) {
    TTimer timer;
    timer.SetInterval(10);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        timer.SetEnabled(false);
        ++ticks;
    });
    Pump(200);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Running());
}

TEST(TTimer, AnExceptionInTheHandlerIsReportedAndTheTimerGoesOn) {
    g_reported.clear();
    fw::SetExceptionHandler(Record);
    TTimer timer;
    timer.SetInterval(10);
    timer.SetOnTimer([](TObject*) { throw Exception(L"tick failed"); });
    Pump(100);
    fw::SetExceptionHandler(nullptr);
    ASSERT_FALSE(g_reported.empty());
    EXPECT_EQ(g_reported[0], L"tick failed");
    EXPECT_TRUE(timer.Running());
}
