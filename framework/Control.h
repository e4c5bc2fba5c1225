#pragma once
// TControl: the base of everything that sits in a window: bounds, visibility, enabled state,
// parent, alignment, anchors, colour, font, hint, cursor, auto-size, mouse events and the
// notices a parent sends (mouse enter/leave, dialog character, enabled changed).
//
// Style of this framework's classes (all of framework/ and widgets/):
// - Properties are a getter named after the property and a setter with "Set":
//   `Width()` / `SetWidth(35)`, `Caption()` / `SetCaption(L"...")`, `Font()` returns the
//   object itself (`Font().SetHeight(-11)`). Setters compare, store and repaint.
// - Events are public std::function members named as the event, bound once when a window
//   builds its controls: `buttClose.OnClick = [this](TObject* Sender) { buttCloseClick(Sender); };`
// - Enumerations are plain enums with their short prefixes (alTop, akRight, bvNone, fsNone).
// - Controls are created with their owner and then given a parent: `TV2TransparentButton b(this);
//   b.SetParent(&panel); b.SetBounds(345, 0, 35, 25);`. Windowless controls paint in creation
//   order, a later one on top of an earlier one. Give a parent its design size before placing
//   children anchored to its right or bottom edge: anchors follow later size changes.
// - The parent does not own its children (the owner does); a dying parent lets them go.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Font.h"

class TWinControl;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TAnchors = unsigned;
constexpr TAnchors akLeft = 1u << 0;
constexpr TAnchors akTop = 1u << 1;
constexpr TAnchors akRight = 1u << 2;
constexpr TAnchors akBottom = 1u << 3;

// Control style flags.
using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 1u << 0;
constexpr TControlStyle csCaptureMouse = 1u << 1;  // a left press captures the mouse
constexpr TControlStyle csClickEvents = 1u << 2;   // a left press and release inside clicks
constexpr TControlStyle csOpaque = 1u << 3;        // paints its whole rectangle itself
constexpr TControlStyle csDoubleClicks = 1u << 4;  // takes double clicks (else: a second press)
constexpr TControlStyle csSetCaption = 1u << 5;
constexpr TControlStyle csReplicatable = 1u << 6;

// Mouse cursor: 0 the parent's, otherwise one of the system cursors below.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;

// Message numbers of the notices the framework passes between controls, for code that speaks
// in messages (a control's Perform).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;

void ForgetCaptureControl() noexcept;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner = nullptr);
    ~TControl() override;

    const wchar_t* ClassName() const override { return L"TControl"; }

    // ---- parent and bounds (relative to the parent's client area) ----
    TWinControl* Parent() const noexcept { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    // With AutoSize on, the auto-size query may change the proposed size first.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const noexcept { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    // The control's own area: (0, 0, Width, Height) unless a window says otherwise.
    virtual RECT ClientRect() const;
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }
    virtual POINT ClientToScreen(POINT p) const;
    virtual POINT ScreenToClient(POINT p) const;

    // ---- visibility and state ----
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible.
    bool Showing() const;
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);

    // ---- layout ----
    TAlign Align() const noexcept { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const noexcept { return anchors_; }
    void SetAnchors(TAnchors value) noexcept { anchors_ = value; }
    bool AutoSize() const noexcept { return autoSize_; }
    virtual void SetAutoSize(bool value);

    // ---- text, colour, font, hint, cursor ----
    const std::wstring& Caption() const noexcept { return text_; }
    void SetCaption(const std::wstring& value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const noexcept { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() noexcept { return font_; }
    const TFont& Font() const noexcept { return font_; }
    void SetFont(const TFont& value) { font_.Assign(&value); }
    bool ParentFont() const noexcept { return parentFont_; }
    void SetParentFont(bool value);
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value);
    // The effective setting: the parent's while ParentShowHint is on.
    bool ShowHint() const noexcept;
    void SetShowHint(bool value);
    bool ParentShowHint() const noexcept { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const noexcept { return cursor_; }
    void SetCursor(TCursor value) noexcept { cursor_ = value; }
    TPopupMenu* PopupMenu() const noexcept { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);

    // True for controls with a window of their own (TWinControl).
    virtual bool IsWindowed() const noexcept { return false; }

    TControlStyle ControlStyle() const noexcept { return controlStyle_; }
    void SetControlStyle(TControlStyle value) noexcept { controlStyle_ = value; }

    // ---- actions ----
    TBasicAction* Action() const noexcept;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const noexcept { return actionLink_.get(); }

    // ---- painting ----
    // Marks the control's area for the next paint of its window (repaint later).
    virtual void Invalidate();
    // Paints what is marked, now.
    virtual void Update();
    // Repaint now: Invalidate, then Update.
    virtual void Repaint();
    void Refresh() { Repaint(); }

    // ---- input ----
    // Fires OnClick, or executes the action when there is no OnClick.
    virtual void Click();
    bool MouseCapture() const noexcept;
    void SetMouseCapture(bool value);
    // Handles one mouse message (WM_MOUSEMOVE ... WM_MBUTTONDBLCLK) as this control's own, with
    // X and Y in its client coordinates: capture, click tracking, double-click conversion and
    // the mouse events. The parent window calls it for the windowless child under the pointer.
    void HandleMouseMessage(UINT msg, WPARAM keys, int X, int Y);
    // Notices from the parent window.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The dialog character (accelerator) notice; true when the control took the key.
    virtual bool DialogChar(wchar_t key);
    // Whether the point (client coordinates) belongs to the control for mouse input.
    virtual bool HitTest(int X, int Y) const;
    // Sends one of the CM_* notices or a mouse message to the control, as a parent would.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- events ----
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DblClick();

    // The auto-size query: may change the proposed size; true to use it.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    // Runs the auto-size query again with the current bounds.
    void AdjustSize();

    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void ShowHintChanged();
    // The bounds changed (the new ones are stored already).
    virtual void BoundsChanged(const RECT& oldBounds);
    virtual void Resize();
    // The parent's font, colour or hint setting changed; follows it where the Parent* flag says.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void ParentShowHintChanged();

    // Actions: the link class and the effect of an action change on this control.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);
    friend class TControlActionLink;

    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Invalidates this windowless control's rectangle on the parent window. Erase: also
    // repaint the parent's background there (for controls that are not opaque).
    void InvalidateControl(bool erase);
    // Tooltip registration for this control (called when hint, bounds or parent change).
    void UpdateHintTool();
    void RemoveHintTool();

    // The bounds as stored, without moving anything (windows update them from the system).
    void StoreBounds(int ALeft, int ATop, int AWidth, int AHeight) noexcept {
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
    }
    bool ClickPending() const noexcept { return clicked_; }
    void CancelClick() noexcept { clicked_ = false; }

private:
    friend class TWinControl;
    friend void ForgetCaptureControl() noexcept;
    void DoMouseDown(TMouseButton button, WPARAM keys, int X, int Y, TShiftState extra);
    void DoMouseUp(TMouseButton button, WPARAM keys, int X, int Y);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool autoSize_ = false;
    bool clicked_ = false;
    bool parentColor_ = true;
    bool parentFont_ = true;
    bool parentShowHint_ = true;
    bool showHint_ = false;
    bool followingParentFont_ = false;
    bool hintToolAdded_ = false;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TCursor cursor_ = crDefault;
    TColor color_ = clWindow;
    TFont font_;
    std::wstring text_;
    std::wstring hint_;
    TPopupMenu* popupMenu_ = nullptr;
    std::unique_ptr<TControlActionLink> actionLink_;
};

// The control that holds the mouse capture (a windowless one through its parent window), or null.
TControl* GetCaptureControl() noexcept;
void SetCaptureControl(TControl* control);
// The window holding the capture lost it: forget the capture control and its pending click.
void ForgetCaptureControl() noexcept;

// Shift state of a mouse message's key flags (MK_*), with Alt from the keyboard.
TShiftState KeysToShiftState(WPARAM keys) noexcept;
