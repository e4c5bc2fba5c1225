#include "framework/PopupMenu.h"

#include <algorithm>

#include "framework/Window.h"

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item || item->parent_ == this) return;
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

// ---- the menu's hidden window ----

class TPopupMenu::MenuWindow : public fw::TWindow {
public:
    explicit MenuWindow(TPopupMenu& menu) : menu_(menu) {}
    HWND Get() {
        if (!HandleAllocated()) {
            RegisterClass(L"TPopupList", 0);
            CreateOwnHandle(WS_EX_TOOLWINDOW, L"TPopupList", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr);
        }
        return Handle();
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mis->CtlType == ODT_MENU && mis->itemData) {
                Measure(*reinterpret_cast<TMenuItem*>(mis->itemData), *mis);
                return TRUE;
            }
        } else if (msg == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (dis->CtlType == ODT_MENU && dis->itemData) {
                Draw(*reinterpret_cast<TMenuItem*>(dis->itemData), *dis);
                return TRUE;
            }
        }
        return TWindow::WndProc(msg, wParam, lParam);
    }

private:
    void Measure(TMenuItem& item, MEASUREITEMSTRUCT& mis) {
        HDC dc = ::GetDC(Handle());
        canvas_.SetHandle(dc);
        int width = 0;
        int height = item.IsLine() ? 8 : ::GetSystemMetrics(SM_CYMENU);
        if (!item.IsLine()) width = canvas_.TextWidth(item.Caption()) + 2 * ::GetSystemMetrics(SM_CXMENUCHECK);
        try {
            if (TMenuItemDrawer* drawer = menu_.ItemDrawer())
                drawer->MeasureItem(item, canvas_, width, height);
        } catch (...) {
            canvas_.SetHandle(nullptr);
            ::ReleaseDC(Handle(), dc);
            throw;
        }
        canvas_.SetHandle(nullptr);
        ::ReleaseDC(Handle(), dc);
        mis.itemWidth = static_cast<UINT>(width < 0 ? 0 : width);
        mis.itemHeight = static_cast<UINT>(height < 0 ? 0 : height);
    }

    void Draw(TMenuItem& item, const DRAWITEMSTRUCT& dis) {
        TOwnerDrawState state = 0;
        if (dis.itemState & ODS_SELECTED) state |= odSelected;
        if (dis.itemState & ODS_GRAYED) state |= odGrayed;
        if (dis.itemState & ODS_DISABLED) state |= odDisabled;
        if (dis.itemState & ODS_CHECKED) state |= odChecked;
        if (dis.itemState & ODS_FOCUS) state |= odFocused;
        if (dis.itemState & ODS_DEFAULT) state |= odDefault;
        if (dis.itemState & ODS_NOACCEL) state |= odNoAccel;
        canvas_.SetHandle(dis.hDC);
        try {
            if (TMenuItemDrawer* drawer = menu_.ItemDrawer()) {
                drawer->DrawItem(item, canvas_, dis.rcItem, state);
            } else {
                DrawPlain(item, dis.rcItem, state);
            }
        } catch (...) {
            canvas_.SetHandle(nullptr);
            throw;
        }
        canvas_.SetHandle(nullptr);
    }

    // Owner drawing without a drawer: system colours, text after the check column.
    void DrawPlain(TMenuItem& item, const RECT& rect, TOwnerDrawState state) {
        const bool selected = (state & odSelected) != 0;
        canvas_.Brush().SetColor(selected ? clHighlight : clMenu);
        canvas_.FillRect(rect);
        if (item.IsLine()) {
            RECT line{rect.left + 2, (rect.top + rect.bottom) / 2, rect.right - 2,
                      (rect.top + rect.bottom) / 2 + 1};
            canvas_.Brush().SetColor(clBtnShadow);
            canvas_.FillRect(line);
            return;
        }
        canvas_.Font().SetColor(state & (odGrayed | odDisabled) ? clGrayText
                                : selected                     ? clHighlightText
                                                               : clMenuText);
        RECT text = rect;
        text.left += ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
        canvas_.SetBkMode(TRANSPARENT);
        canvas_.DrawText(item.Caption().c_str(), -1, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }

    TPopupMenu& menu_;
    TCanvas canvas_;
};

// ---- TPopupMenu ----

TPopupMenu::TrackFn TPopupMenu::trackHook = nullptr;

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

HWND TPopupMenu::WindowHandle() {
    if (!window_) window_ = std::make_unique<MenuWindow>(*this);
    return window_->Get();
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

HMENU TPopupMenu::Build(TMenuItem& parent, std::vector<TMenuItem*>& commands) const {
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible()) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
        info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
        if (OwnerDraw()) info.fType |= MFT_OWNERDRAW;
        info.fState = (item->Enabled() ? MFS_ENABLED : MFS_DISABLED) |
                      (item->Checked() ? MFS_CHECKED : 0) | (item->Default() ? MFS_DEFAULT : 0);
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        info.dwTypeData = const_cast<wchar_t*>(item->Caption().c_str());
        if (item->Count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = Build(*item, commands);
        } else if (!item->IsLine()) { // separators carry no command
            commands.push_back(item);
            info.wID = static_cast<UINT>(commands.size());
        }
        ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
    }
    return menu;
}

TMenuItem* TPopupMenu::Popup(int X, int Y) {
    if (OnPopup) OnPopup(this);
    std::vector<TMenuItem*> commands;
    HMENU menu = Build(items_, commands);
    HWND owner = WindowHandle();
    UINT command = 0;
    if (trackHook) {
        command = trackHook(menu, X, Y, owner);
    } else {
        command = static_cast<UINT>(::TrackPopupMenu(
            menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, X,
            Y, 0, owner, nullptr));
    }
    ::DestroyMenu(menu);
    if (command == 0 || command > commands.size()) return nullptr;
    // The menu has closed; the item's handler runs outside the menu loop.
    TMenuItem* chosen = commands[command - 1];
    chosen->Click();
    return chosen;
}
