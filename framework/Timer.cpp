#include "framework/Timer.h"


namespace {
const wchar_t kTimerClass[] = L"OrderTimerWindow";
constexpr UINT_PTR kTimerId = 1;
} // namespace

class TTimer::Window : public fw::TWindow {
public:
    explicit Window(TTimer& owner) : owner_(owner) {
        RegisterClass(kTimerClass, 0);
        CreateOwnHandle(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER && wParam == kTimerId) {
            owner_.Tick();
            return 0;
        }
        return fw::TWindow::WndProc(msg, wParam, lParam);
    }

private:
    TTimer& owner_;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), window_(std::make_unique<Window>(*this)) {}

TTimer::~TTimer() {
    enabled_ = false;
    Update();
}

HWND TTimer::Handle() const noexcept { return window_->Handle(); }

void TTimer::SetInterval(UINT milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    Update();
}

void TTimer::Update() {
    HWND hwnd = window_->Handle();
    if (running_) ::KillTimer(hwnd, kTimerId);
    running_ = false;
    if (enabled_ && interval_ != 0 && onTimer_ && hwnd)
        running_ = ::SetTimer(hwnd, kTimerId, interval_, nullptr) != 0;
}

void TTimer::Tick() {
    if (running_ && onTimer_) onTimer_(this);
}

