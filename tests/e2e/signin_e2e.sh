#!/usr/bin/env bash
# Sign-in and setup as a person does it: start on a clean machine, type a name and a password,
# press Enter and read the message; store an address and a display name in the setup dialog;
# sign in; switch to the back-office login; close. The registry is read back with `wine reg`.
# With ORDER_SCREENSHOTS=1 the screenshots also go to docs/screenshots/.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_reg_clear

# Positions in the sign-in window's client area (its layout) and the setup dialog's.
USERNAME_BOX="203 170"; PASSWORD_BOX="203 204"; LOGIN_BUTTON="160 258"; BACKOFFICE="215 139"
CLOSE_BUTTON="362 12"; URL_BOX="194 67"; NAME_BOX="194 35"; SAVE_BUTTON="349 66"

e2e_start_client
e2e_wait_window TfmLogin || e2e_fail "the sign-in window did not appear"
login_l=$WIN_CX login_t=$WIN_CY
e2e_expect_eq "$(e2e_reg_get Type)" "1" "Type after a clean start"
sleep 0.5
e2e_shot signin-ordering window >/dev/null

# A name and a password, then Enter in the password box: no address is stored yet.
e2e_click $USERNAME_BOX
e2e_type "alice"
e2e_click $PASSWORD_BOX
e2e_type "secret"
e2e_key Return
e2e_expect_eq "$(e2e_message)" "未填写订货系统网址，请先设置！" "message"
e2e_key Return

# The setup dialog follows: the address box holds the scheme and has the focus.
e2e_wait_window TfmSetup || e2e_fail "the setup dialog did not appear"
sleep 0.5
e2e_shot setup window >/dev/null
e2e_click $URL_BOX
e2e_key End
e2e_type "127.0.0.1:18080/demo"
e2e_click $NAME_BOX
e2e_type "Demo Shop"
e2e_click $SAVE_BUTTON
e2e_expect_eq "$(e2e_message)" "设置成功！" "message"
e2e_key Return
e2e_probe gone TfmSetup 5000 || e2e_fail "the setup dialog stayed open"
e2e_expect_eq "$(e2e_reg_get Url)" "http://127.0.0.1:18080/demo" "Url"
e2e_expect_eq "$(e2e_reg_get Title)" "Demo Shop" "Title"
e2e_probe list | grep -q ' TApplication .* Demo Shop$' || e2e_fail "the application title did not change"

# Signing in again now passes the checks and stores the values of the ordering login.
e2e_wait_window TfmLogin
e2e_click $LOGIN_BUTTON
sleep 0.5
e2e_expect_eq "$(e2e_reg_get cbSave)" "0" "cbSave"
e2e_expect_eq "$(e2e_reg_get 会员名)" "alice" "会员名"
e2e_expect_eq "$(e2e_reg_get 会员密码)" "" "会员密码"

# The sign-in opened the main window and hid the sign-in window: leave it (close, OK) and start
# the program again for the rest.
e2e_wait_window TfmMainForm || e2e_fail "the main window did not appear"
sleep 1
e2e_wait_window TfmMainForm
e2e_click $((WIN_R - WIN_L - 18)) 12
e2e_expect_eq "$(e2e_message)" "确认退出订货系统吗？" "message"
e2e_key Return
for _ in $(seq 50); do kill -0 "$E2E_CLIENT_PID" 2>/dev/null || break; sleep 0.1; done
e2e_start_client
e2e_wait_window TfmLogin || e2e_fail "the sign-in window did not appear again"

# The back-office login.
e2e_click $BACKOFFICE
sleep 0.5
e2e_expect_eq "$(e2e_reg_get Type)" "0" "Type after choosing the back-office login"
e2e_shot signin-backoffice window >/dev/null

# The close button ends the program.
e2e_click $CLOSE_BUTTON
for _ in $(seq 50); do kill -0 "$E2E_CLIENT_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_CLIENT_PID" 2>/dev/null && e2e_fail "the program did not end"
e2e_log "ok: the close button ended the program"

if [ "${ORDER_SCREENSHOTS:-0}" = 1 ]; then
  mkdir -p "$E2E_ROOT/docs/screenshots"
  cp "$E2E_OUT"/signin-ordering.png "$E2E_OUT"/signin-backoffice.png "$E2E_OUT"/setup.png "$E2E_ROOT/docs/screenshots/"
  e2e_log "screenshots copied to docs/screenshots/"
fi
