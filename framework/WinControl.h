#pragma once
// TWinControl: a control with a window of its own (fw::TWindow), and the host of child controls.
//
// - Children: windowed children are child windows; windowless children (TGraphicControl) are
//   painted by this window in its WM_PAINT, in creation order (later ones on top), each with its
//   canvas on the window's DC, origin at the child's top-left and clipped to it. The window's own
//   background and Paint come first, so the parent shows through wherever a child draws nothing.
//   A paint allocates nothing and creates no GDI objects.
// - Mouse: messages over a windowless child go to the enabled, visible child on top under the
//   pointer (or to the child holding the capture during a left press); the rest to this window.
//   Mouse-enter and mouse-leave notices follow the pointer between children (TrackMouseEvent
//   for leaving the window).
// - Keyboard: Alt+key, and plain keys typed into a window that does not take characters itself
//   (WantsChars), go to every control of the top-level window as the dialog-character notice
//   (accelerators) until one takes it.
// - Layout: children with Align are laid out in the client area less AdjustClientRect (top,
//   bottom, left, right, then client); children anchored right or bottom follow size changes.
// - Hints: one tooltip window per top-level window, one tool per control with ShowHint and Hint.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/Window.h"

struct TCreateParams {
    std::wstring Caption;
    std::wstring WinClassName;
    UINT ClassStyle = CS_DBLCLKS;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
};

class TWinControl : public TControl, public fw::TWindow {
public:
    explicit TWinControl(TComponent* AOwner = nullptr);
    ~TWinControl() override;

    const wchar_t* ClassName() const override { return L"TWinControl"; }

    // ---- children ----
    int ControlCount() const noexcept { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // The topmost visible windowless child at the point (client coordinates), or nullptr.
    TControl* ControlAtPos(POINT p, bool allowDisabled) const;
    // The child that has the pointer over it (for enter/leave), this window, or nullptr.
    TControl* HoverControl() const noexcept { return hover_; }

    // ---- window ----
    // Makes the window now (and the parent's first); children's windows follow.
    void HandleNeeded();
    // Destroys the window with its children's windows and makes them anew (when it exists).
    void RecreateWnd();
    // The top-level control above this one (itself when it has no parent).
    TWinControl* TopLevelControl();

    // ---- painting ----
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Paints this window, its windowless children and its windowed children onto dc with the
    // window's top-left at (X, Y) in dc: for printing, tests and measurements.
    void PaintTo(HDC dc, int X, int Y);

    // ---- layout ----
    RECT ClientRect() const override;
    POINT ClientToScreen(POINT p) const override;
    POINT ScreenToClient(POINT p) const override;
    // Shrinks rect to the area in which aligned children are laid out.
    virtual void AdjustClientRect(RECT& Rect) const;
    void Realign();
    void RequestAlign();
    void DisableAlign() noexcept { ++alignDisabled_; }
    void EnableAlign();

    // ---- keyboard ----
    // Sends the key to every child (windowless and windowed, depth first) until one takes it.
    bool DialogChar(wchar_t key) override;
    void SetFocus();
    bool Focused() const noexcept;
    TKeyPressEvent OnKeyPress;

    // The tooltip window of this top-level window; made on first use when create is true.
    HWND TooltipWindow(bool create);
    bool IsWindowed() const noexcept override { return true; }

protected:
    // The window to create: class, styles, position, parent.
    virtual void CreateParams(TCreateParams& Params);
    // Creates the window from CreateParams (native controls override to subclass theirs).
    virtual void CreateWnd();
    // Called before the window is destroyed (save what lives only in the window).
    virtual void DestroyWnd() {}

    // The control's own painting on Canvas (valid during the paint).
    virtual void Paint() {}
    TCanvas& Canvas() noexcept { return canvas_; }
    // Background erase: fills the client area with Color. False: leave the DC as it is.
    virtual bool EraseBackground(HDC dc);
    // Own painting then the windowless children.
    void PaintHandler(HDC dc, const RECT& clip);
    void PaintControls(HDC dc, const RECT& clip);

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed() override;

    virtual void AlignControls(RECT& Rect);
    // Whether the window takes typed characters itself (an edit box does; a panel does not).
    virtual bool WantsChars() const { return false; }
    virtual void KeyPress(wchar_t& Key);

    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void BoundsChanged(const RECT& oldBounds) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void TextChanged() override;
    void ShowHintChanged() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AfterHandleCreated();
    void PrepareDestroyTree();
    void UpdateToolsOfTree();
    void ForgetToolsOfTree();
    void ResetToolFlags();
    void UpdateBoundsFromWindow();
    void ApplyAnchors();
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateHover(POINT p);
    void ChangeHover(TControl* target);

    std::vector<TControl*> controls_;
    TControl* hover_ = nullptr;
    TCanvas canvas_;
    HWND tooltip_ = nullptr; // top-level windows only; an owned popup, destroyed with the window
    bool trackingLeave_ = false;
    bool hoverEntered_ = false; // hover_ has been told it has the pointer
    bool aligning_ = false;
    bool alignPending_ = false;
    bool updatingFromWindow_ = false;
    int alignDisabled_ = 0;
    int anchorClientWidth_ = 0;
    int anchorClientHeight_ = 0;
};
