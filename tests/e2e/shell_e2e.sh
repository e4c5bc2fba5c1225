#!/usr/bin/env bash
# The browser shell as a person uses it, with the demo web application: sign in (ordering login)
# and see the exact request line in the server's log; the main window maximizes itself, is
# restored with a double-click on its title bar, hidden to the tray and clicked back; the tray
# menu's exit entry asks, and OK ends the program with exit code 0. Then a back-office sign-in
# with a user name that needs escaping, closed with the close button; a sign-in with remembered
# Chinese credentials; last a sign-in whose address leads to the exit page, which ends the program.
# With ORDER_SCREENSHOTS=1 the screenshots of the main window also go to docs/screenshots/.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin

# Positions in the sign-in window's client area (its layout).
USERNAME_BOX="203 170"; PASSWORD_BOX="203 204"; BACKOFFICE="215 139"
# Positions in the main window (980 wide in the normal state): title bar, minimise button.
TITLE_BAR="500 30"
# The notification area of the Wine desktop's taskbar (1024 x 768): the first icon.
TRAY_X=1014; TRAY_Y=759

# The demo web application, logging every request line.
demo_log="$E2E_OUT/demo.log"
rm -f "$demo_log" "$E2E_OUT/demo.port"
python3 "$E2E_ROOT/tools/demo/demo_server.py" --port 0 --log "$demo_log" --port-file "$E2E_OUT/demo.port" \
  </dev/null >"$E2E_OUT/demo.out" 2>&1 &
demo_pid=$!
trap 'kill $demo_pid 2>/dev/null || true; e2e_end' EXIT
for _ in $(seq 100); do [ -s "$E2E_OUT/demo.port" ] && break; sleep 0.05; done
port="$(tr -d '\n' <"$E2E_OUT/demo.port")"
[ -n "$port" ] || e2e_fail "the demo web application did not start"
e2e_log "demo web application on port $port"

# Waits until the log holds a line for the path, and prints it.
request_line() {
  local i
  for i in $(seq 100); do
    if grep -a -m1 -F "GET $1" "$demo_log" 2>/dev/null; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Colours in the notification area's first icon cell of a screenshot: 1 when no icon is there.
tray_colours() { convert "$1" -crop 16x16+$((TRAY_X - 8))+$((TRAY_Y - 8)) +repage -format '%k' info:; }

# Waits for the client's launcher to end and sets CLIENT_RC to its exit code ("running" if it
# does not end). Not called in a subshell: only this shell can wait for its child.
wait_client_exit() {
  local i
  for i in $(seq 100); do kill -0 "$E2E_CLIENT_PID" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$E2E_CLIENT_PID" 2>/dev/null; then CLIENT_RC=running; return; fi
  CLIENT_RC=0
  wait "$E2E_CLIENT_PID" || CLIENT_RC=$?
}

sign_in() { # name password
  e2e_wait_window TfmLogin || e2e_fail "the sign-in window did not appear"
  e2e_click $USERNAME_BOX
  xdotool key ctrl+a BackSpace
  e2e_type "$1"
  e2e_click $PASSWORD_BOX
  xdotool key ctrl+a BackSpace
  e2e_type "$2"
  e2e_key Return
}

# ---- ordering login ----
e2e_reg_clear
e2e_reg_set Url "http://127.0.0.1:$port"
e2e_start_client
sign_in demo 123456
line="$(request_line /shop/index.aspx)" || e2e_fail "no sign-in request reached the server"
e2e_expect_eq "$(printf '%s' "$line" | tr -d '\r')" \
  "GET /shop/index.aspx?UserName=demo&UserPass=e10adc3949ba59abbe56e057f20f883e" "request line"

e2e_wait_window TfmMainForm || e2e_fail "the main window did not appear"
e2e_probe gone TfmLogin 3000 || e2e_fail "the sign-in window stayed visible"
# The start-up maximize: the whole screen less 33 pixels.
sleep 1.5
e2e_wait_window TfmMainForm
e2e_expect_eq "$WIN_L $WIN_T $WIN_R $WIN_B" "0 0 1024 735" "maximized window"
e2e_shot main-maximized >/dev/null

# A double-click on the title bar restores 980 x 680 at the first position. Each press also
# starts the system's move loop, which ends at the button's release: the second press is held as
# a hand holds it, so that its release reaches that loop.
xdotool mousemove --sync 500 30 mousedown 1 sleep 0.05 mouseup 1 sleep 0.1 mousedown 1 sleep 0.3 mouseup 1
sleep 0.7
e2e_wait_window TfmMainForm
e2e_expect_eq "$WIN_L $WIN_T $WIN_R $WIN_B" "26 61 1006 741" "restored window"
e2e_shot main-normal >/dev/null

# Minimise hides the window into the tray; a click on the icon brings it back.
e2e_click 900 12
e2e_probe gone TfmMainForm 3000 || e2e_fail "the main window did not go to the tray"
sleep 0.5
e2e_shot in-tray >/dev/null
[ "$(tray_colours "$E2E_OUT/in-tray.png")" -gt 1 ] || e2e_fail "no icon in the notification area"
e2e_log "ok: the icon is in the notification area"
xdotool mousemove --sync $TRAY_X $TRAY_Y click 1
e2e_wait_window TfmMainForm "" 5000 || e2e_fail "a click on the tray icon did not bring the window back"
e2e_expect_eq "$WIN_L $WIN_T $WIN_R $WIN_B" "26 61 1006 741" "window back from the tray"

# The tray menu: hide again, right-click the icon, choose the exit entry, answer OK.
e2e_click 900 12
e2e_probe gone TfmMainForm 3000 || e2e_fail "the main window did not go to the tray"
sleep 0.5
xdotool mousemove --sync $TRAY_X $TRAY_Y click 3
sleep 0.7
e2e_shot tray-menu >/dev/null
menu="$(e2e_probe wait '#32768' '' 3000)" || e2e_fail "the tray menu did not open"
read -r _ MENU_L MENU_T MENU_R MENU_B _ <<<"$menu"
# The last of the menu's five items (three entries, two separators) is the exit entry.
xdotool mousemove --sync $(((MENU_L + MENU_R) / 2)) $((MENU_B - 14)) click 1
e2e_expect_eq "$(e2e_message)" "确认退出订货系统吗？" "question"
e2e_key Return
wait_client_exit
e2e_expect_eq "$CLIENT_RC" "0" "exit code after the confirmed exit"
sleep 0.5
e2e_shot ended >/dev/null
e2e_expect_eq "$(tray_colours "$E2E_OUT/ended.png")" "1" "colours left in the icon's place after the end"

# ---- back-office login with a name that needs escaping ----
e2e_start_client
e2e_wait_window TfmLogin || e2e_fail "the sign-in window did not appear"
e2e_click $BACKOFFICE
sign_in 'R&D #1' 123456
line="$(request_line /tarvelo.aspx)" || e2e_fail "no back-office sign-in request reached the server"
e2e_expect_eq "$(printf '%s' "$line" | tr -d '\r')" \
  "GET /tarvelo.aspx?UserName=R%26D%20%231&UserPass=e10adc3949ba59abbe56e057f20f883e" "request line"
e2e_wait_window TfmMainForm || e2e_fail "the main window did not appear"
# The close button asks; OK ends the program.
sleep 1.5
e2e_wait_window TfmMainForm
e2e_click $((WIN_R - WIN_L - 18)) 12
e2e_expect_eq "$(e2e_message)" "确认退出订货系统吗？" "question"
e2e_key Return
wait_client_exit
e2e_expect_eq "$CLIENT_RC" "0" "exit code after the close button"

# ---- remembered Chinese credentials ----
# The sign-in window fills in the remembered name and password; Enter in the password box signs
# in. The name's code page 936 bytes reach the server as they are, and the digest is that of the
# password's code page 936 bytes.
e2e_reg_set Type 1
e2e_reg_set cbSave -1
e2e_reg_set 会员名 张三
e2e_reg_set 会员密码 订货123
e2e_start_client
e2e_wait_window TfmLogin || e2e_fail "the sign-in window did not appear"
e2e_click $PASSWORD_BOX
e2e_key Return
expected="$(printf 'GET /shop/index.aspx?UserName=\xd5\xc5\xc8\xfd&UserPass=bedcf274c0e4f819ace3e56c510e0b11')"
for _ in $(seq 100); do LC_ALL=C grep -a -q -x -F "$expected" "$demo_log" && break; sleep 0.1; done
LC_ALL=C grep -a -q -x -F "$expected" "$demo_log" ||
  e2e_fail "no request line with the name's GBK bytes: $(tail -1 "$demo_log" | od -c | head -3)"
e2e_log "ok: the request carries the name's GBK bytes and the digest of the GBK password"
e2e_wait_window TfmMainForm || e2e_fail "the main window did not appear"
sleep 1.5
e2e_wait_window TfmMainForm
e2e_click $((WIN_R - WIN_L - 18)) 12
e2e_expect_eq "$(e2e_message)" "确认退出订货系统吗？" "question"
e2e_key Return
wait_client_exit
e2e_expect_eq "$CLIENT_RC" "0" "exit code after the close button"

# ---- a sign-in address that leads to the exit page ----
e2e_reg_set Url "http://127.0.0.1:$port/Exit.aspx?from="
e2e_start_client
e2e_wait_window TfmLogin || e2e_fail "the sign-in window did not appear"
e2e_click $PASSWORD_BOX
e2e_key Return
wait_client_exit
e2e_expect_eq "$CLIENT_RC" "0" "exit code after the exit page"
e2e_probe list | grep -q -e ' TfmMainForm ' -e ' TfmLogin ' && e2e_fail "a window of the program is left"

if [ "${ORDER_SCREENSHOTS:-0}" = 1 ]; then
  mkdir -p "$E2E_ROOT/docs/screenshots"
  cp "$E2E_OUT"/main-maximized.png "$E2E_OUT"/main-normal.png "$E2E_ROOT/docs/screenshots/"
  e2e_log "screenshots copied to docs/screenshots/"
fi
