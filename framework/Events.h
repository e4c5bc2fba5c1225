#pragma once
// The event types shared by every component of the framework. Handlers are bound once, when a
// window builds its controls (for example `vbLogin.OnClick = [this](TObject* s) { vbLoginClick(s); }`).
#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state of a mouse or key event: a set of the flags below.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

// What a form does when it is closed.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
