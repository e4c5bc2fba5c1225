#pragma once
// Pop-up menus: TPopupMenu holds a list of TMenuItem and shows them modally at a screen point.
//
// Popup(x, y) builds the menu, runs it with TrackPopupMenu on a hidden window of the menu and
// returns when the menu has closed; the chosen item's OnClick runs after that, outside the menu
// loop. Items whose caption is "-" are separators.
//
// Owner drawing: a component that draws menus (a menu styler) implements TMenuItemDrawer and
// sets itself with SetItemDrawer; from then on every item is measured and drawn by it. The drawer
// must take itself off (SetItemDrawer(nullptr)) before it dies.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Component.h"

class TMenuItem;

// State of an owner-drawn item (ODS_* of the system, as flags).
using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 1u << 0;
constexpr TOwnerDrawState odGrayed = 1u << 1;
constexpr TOwnerDrawState odDisabled = 1u << 2;
constexpr TOwnerDrawState odChecked = 1u << 3;
constexpr TOwnerDrawState odFocused = 1u << 4;
constexpr TOwnerDrawState odDefault = 1u << 5;
constexpr TOwnerDrawState odNoAccel = 1u << 6;

class TMenuItemDrawer {
public:
    // Size of one item; width and height come in with the menu's defaults.
    virtual void MeasureItem(TMenuItem& Item, TCanvas& Canvas, int& Width, int& Height) = 0;
    // Draws one item into rect; the canvas has the menu's DC.
    virtual void DrawItem(TMenuItem& Item, TCanvas& Canvas, const RECT& Rect, TOwnerDrawState State) = 0;

protected:
    ~TMenuItemDrawer() = default;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner = nullptr);
    ~TMenuItem() override;

    const wchar_t* ClassName() const override { return L"TMenuItem"; }

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& value) { caption_ = value; }
    bool IsLine() const { return caption_ == L"-"; }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value) noexcept { enabled_ = value; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) noexcept { visible_ = value; }
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value) noexcept { checked_ = value; }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value) noexcept { default_ = value; }

    // Sub-items (a sub-menu when not empty). Items are not owned by the list.
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const noexcept { return parent_; }

    virtual void Click();

    TNotifyEvent OnClick;

private:
    std::wstring caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool default_ = false;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner = nullptr);
    ~TPopupMenu() override;

    const wchar_t* ClassName() const override { return L"TPopupMenu"; }

    // The root item; its sub-items are the menu's entries.
    TMenuItem& Items() noexcept { return items_; }

    bool AutoPopup() const noexcept { return autoPopup_; }
    void SetAutoPopup(bool value) noexcept { autoPopup_ = value; }
    // Owner-drawn items; switched on by a drawer too.
    bool OwnerDraw() const noexcept { return ownerDraw_ || drawer_ != nullptr; }
    void SetOwnerDraw(bool value) noexcept { ownerDraw_ = value; }
    TMenuItemDrawer* ItemDrawer() const noexcept { return drawer_; }
    void SetItemDrawer(TMenuItemDrawer* value) noexcept { drawer_ = value; }

    // The control or component the menu was last opened for (set by whoever opens it).
    TComponent* PopupComponent() const noexcept { return popupComponent_; }
    void SetPopupComponent(TComponent* value) noexcept { popupComponent_ = value; }

    // Shows the menu with its top-left corner at the screen point and waits until it closes;
    // then runs the chosen item's OnClick. Returns the chosen item, or nullptr.
    virtual TMenuItem* Popup(int X, int Y);
    // The hidden window that owns the menu while it is shown (for SetForegroundWindow).
    HWND WindowHandle();

    TNotifyEvent OnPopup;

    // Replaceable for tests: runs the built menu and returns the chosen command (0 for none).
    using TrackFn = UINT (*)(HMENU menu, int x, int y, HWND owner);
    static TrackFn trackHook;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    class MenuWindow;
    HMENU Build(TMenuItem& parent, std::vector<TMenuItem*>& commands) const;

    TMenuItem items_;
    bool autoPopup_ = true;
    bool ownerDraw_ = false;
    TMenuItemDrawer* drawer_ = nullptr;
    TComponent* popupComponent_ = nullptr;
    std::unique_ptr<MenuWindow> window_;
};
