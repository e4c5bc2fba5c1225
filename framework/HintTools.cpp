#include "framework/HintTools.h"

#include <commctrl.h>

#include "framework/WinControl.h"

namespace fw_hint {
namespace {

// The window the tool lives on and the tool's id: a windowless control is a rectangle of its
// parent window; a window is its own tool.
bool Describe(TControl& control, TTTOOLINFOW& ti) {
    ti = TTTOOLINFOW{};
    ti.cbSize = sizeof(ti);
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        if (!win->HandleAllocated()) return false;
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = win->Parent() && win->Parent()->HandleAllocated() ? win->Parent()->Handle()
                                                                    : win->Handle();
        ti.uId = reinterpret_cast<UINT_PTR>(win->Handle());
        return true;
    }
    TWinControl* parent = control.Parent();
    if (!parent || !parent->HandleAllocated()) return false;
    ti.hwnd = parent->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(&control);
    ti.rect = control.BoundsRect();
    return true;
}

TWinControl* Root(const TControl& control) {
    TWinControl* w = control.Parent();
    if (!w) {
        auto* self = dynamic_cast<const TWinControl*>(&control);
        return const_cast<TWinControl*>(self);
    }
    return w->TopLevelControl();
}

} // namespace

HWND TooltipOf(const TControl& control) {
    TWinControl* root = Root(control);
    return root ? root->TooltipWindow(false) : nullptr;
}

void UpdateTool(TControl& control, bool& added) {
    TTTOOLINFOW ti;
    const bool described = Describe(control, ti);
    const bool wanted = described && control.ShowHint() && !control.Hint().empty() &&
                        control.Visible();
    TWinControl* root = Root(control);
    if (!wanted) {
        if (added && described) {
            if (HWND tip = TooltipOf(control)) ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
        added = false;
        return;
    }
    HWND tip = root ? root->TooltipWindow(true) : nullptr;
    if (!tip) return;
    ti.lpszText = const_cast<wchar_t*>(control.Hint().c_str());
    if (!added) {
        added = ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    } else {
        ::SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
        ::SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void RemoveTool(TControl& control, bool& added) {
    if (!added) return;
    added = false;
    TTTOOLINFOW ti;
    if (!Describe(control, ti)) return;
    if (HWND tip = TooltipOf(control)) ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Relay(TWinControl& host, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND tip = TooltipOf(host);
    if (!tip) return;
    MSG m{};
    m.hwnd = host.Handle();
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(::GetMessageTime());
    ::GetCursorPos(&m.pt);
    ::SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

} // namespace fw_hint
