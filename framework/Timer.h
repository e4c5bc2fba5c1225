#pragma once
// TTimer: a message-loop timer. While it is enabled, has a non-zero interval and an OnTimer
// handler, OnTimer runs every Interval milliseconds from the message loop (WM_TIMER on a hidden
// message-only window of its own), so it never overlaps another handler of the thread.
#include <windows.h>

#include <memory>

#include "framework/Component.h"
#include "framework/Window.h"


class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;

    const wchar_t* ClassName() const override { return L"TTimer"; }

    UINT Interval() const noexcept { return interval_; }
    void SetInterval(UINT milliseconds);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);

    // The handler; assigning it restarts the timer's count.
    void SetOnTimer(TNotifyEvent handler);

    // True while the system timer runs.
    bool Running() const noexcept { return running_; }
    HWND Handle() const noexcept;

private:
    class Window;
    void Update();
    void Tick();

    UINT interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    TNotifyEvent onTimer_;
    std::unique_ptr<Window> window_;
};

