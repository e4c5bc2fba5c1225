#pragma once
// Tooltips of controls with ShowHint and a Hint: one tooltip window per top-level window, with
// one tool per hinted control (a windowless control's tool is its rectangle on its parent
// window). Mouse messages reach the tooltip through the windows' own message handling (relay),
// so no window is subclassed for it.
#include <windows.h>

class TControl;
class TWinControl;

namespace fw_hint {

// Adds, updates or removes the control's tool to match its hint, ShowHint, visibility and
// bounds. added tracks whether the tool exists.
void UpdateTool(TControl& control, bool& added);
void RemoveTool(TControl& control, bool& added);
// Passes one mouse message of window host to the tooltip of its top-level window.
void Relay(TWinControl& host, UINT msg, WPARAM wParam, LPARAM lParam);
// The tooltip window of the top-level window above control (nullptr when none exists yet).
HWND TooltipOf(const TControl& control);

} // namespace fw_hint
