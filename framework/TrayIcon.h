#pragma once
// TTrayIcon: an icon in the notification area of the taskbar, with a tooltip, a click event and
// a pop-up menu.
//
// - IconVisible on adds the icon (with Icon and Hint) through Shell_NotifyIcon, off removes it;
//   a notification area that refuses the icon is tolerated (IconAdded tells).
// - A left press and the release that follows raise OnClick at once (there is no double-click
//   event to wait for).
// - A right press opens PopupMenu (when its AutoPopup is on) at the mouse position: the
//   application window is made the foreground window and pending messages are processed first,
//   so that the menu closes when the user clicks elsewhere; after the menu returns an empty
//   message (WM_NULL) is posted to the owner window.
// - When the shell broadcasts "TaskbarCreated" (the taskbar was restarted) while the icon is
//   visible, the icon is added again.
// - Each time the owner window is shown, the application window and then the owner window are
//   made the foreground window, so the window comes to the front.
// - When the application window receives the system restore command (WM_SYSCOMMAND with exactly
//   SC_RESTORE), OnApplicationRestore runs before the command is carried out; the program shows
//   its principal form there.
// - Destroying the component removes a visible icon.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/MessageHook.h"
#include "framework/Window.h"

class TPopupMenu;

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* AOwner = nullptr);
    ~TTrayIcon() override;

    const wchar_t* ClassName() const override { return L"TTrayIcon"; }

    // The tooltip; the notification area shows at most 127 characters of it.
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value);

    // The icon: the executable's icon resource `id` at the system's small-icon size (16 x 16 at
    // the usual resolution), picked from the resource's images by the system.
    void SetIconResource(UINT id);
    HICON Icon() const noexcept { return icon_.get(); }

    bool IconVisible() const noexcept { return visible_; }
    void SetIconVisible(bool value);
    // Whether the notification area holds the icon now (false where it refused it).
    bool IconAdded() const noexcept { return added_; }

    TPopupMenu* PopupMenu() const noexcept { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    // The window the icon belongs to, normally the main window: brought to the front whenever it
    // is shown, and sent WM_NULL after the menu. The application window is its root owner (the
    // window itself when it has no owner).
    void SetOwnerWindow(HWND owner);
    HWND OwnerWindow() const noexcept { return owner_; }
    HWND ApplicationWindow() const noexcept;

    TNotifyEvent OnClick;
    // Runs when the application window is about to carry out the system restore command.
    std::function<void()> OnApplicationRestore;

    // The hidden window that receives the icon's notifications (CallbackMessage, with the mouse
    // message in lParam) and the "TaskbarCreated" broadcast.
    HWND Handle() const noexcept;
    static constexpr UINT CallbackMessage = WM_APP + 0x0E01;
    static constexpr UINT IconId = 1;

    // Replaceable for tests: the shell call that adds, changes and removes the icon.
    using NotifyFn = BOOL (*)(DWORD message, NOTIFYICONDATAW* data);
    static NotifyFn notifyHook;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    class Window;
    friend class Window;
    struct IconDeleter {
        void operator()(HICON icon) const noexcept { ::DestroyIcon(icon); }
    };

    void Callback(UINT mouseMessage);
    void TaskbarCreated();
    void ShowMenu();
    void OwnerMessage(UINT msg, LPARAM lParam);
    void ApplicationMessage(UINT msg, WPARAM wParam);
    void Update(DWORD message);
    void FillData(NOTIFYICONDATAW& data) const;

    std::unique_ptr<Window> window_;
    std::unique_ptr<HICON__, IconDeleter> icon_;
    std::wstring hint_;
    bool visible_ = false;
    bool added_ = false;
    bool leftPressed_ = false;
    TPopupMenu* popupMenu_ = nullptr;
    HWND owner_ = nullptr;
    TMessageHook ownerHook_;
    TMessageHook applicationHook_;
};
