#!/usr/bin/env bash
# Drives the real program as a user would: types an extension with X
# keyboard input, picks the program and the icon in the open-file dialog
# (the icon shows in the preview), clicks "添加关联", presses OK on the
# message, checks the registry with Wine's reg.exe, then clicks "解除关联"
# and checks again; loads an animated GIF and sees it play; finally Esc
# closes the window and the program exits with code 0.
# Usage: add_and_remove.sh tarnova.exe window_probe.exe
set -uo pipefail
exe=$1 probe=$2
. "$TARNOVA_SOURCE_DIR/scripts/wine-env.sh"
ensure_wineprefix
if [ -z "${DISPLAY:-}" ]; then start_display || exit 1; trap stop_display EXIT; fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wine_run() { env LC_ALL=zh_CN.UTF-8 wine "$@" 2>/dev/null | tr -d '\r'; }
probe() { wine_run "$probe" "$@"; }

# Waits (up to ~10 s) until the probe's command succeeds.
wait_for() {
  for _ in $(seq 50); do probe "$@" >/dev/null && return 0; sleep 0.2; done
  return 1
}

click_control() {  # control id
  local xy; xy=$(probe point "$1") || { fail "no control $1"; return 1; }
  xdotool mousemove $xy click 1
  sleep 0.3
}

type_into() {  # control id, text
  click_control "$1"
  xdotool type --delay 20 "$2"
  sleep 0.3
}

# Reads the message box, presses OK with the keyboard as a user would.
answer_box() {  # expected text
  wait_for box info || { fail "no message box"; return; }
  local text; text=$(probe box info)
  [ "$text" = "$1" ] || fail "message was [$text], expected [$1]"
  xdotool key Return
  for _ in $(seq 50); do probe box info >/dev/null || return 0; sleep 0.1; done
  fail "message box did not close"
}

# The key's default value as text; nothing when it is absent. reg export
# tells an absent value from an empty one, reg query does not.
reg_default() {  # key
  local file; file=$(mktemp --suffix=.reg)
  wine_run reg export "$1" "$(wine_cmd winepath -w "$file" 2>/dev/null)" /y >/dev/null
  # Only the first section is the key itself; the rest are its subkeys.
  iconv -f UTF-16LE -t UTF-8 "$file" 2>/dev/null | tr -d '\r' |
    awk '/^\[/ { n++ } n == 1 && /^@="/ { sub(/^@="/, ""); sub(/"$/, ""); print; exit }' |
    sed 's/\\"/"/g; s/\\\\/\\/g'
  rm -f "$file"
}

ext=e2e$RANDOM
env LC_ALL=zh_CN.UTF-8 wine "$exe" 2>/dev/null &
pid=$!
wait_for exists TarnovaV1.0 || { echo "FAIL: the window did not appear"; exit 1; }
sleep 0.5

type_into 200 "$ext"
[ "$(probe text 200)" = "$ext" ] || fail "extension box holds [$(probe text 200)]"

# The program: chosen in the dialog, by typing its path and pressing Enter.
program='C:\tarnova-e2e\Tool Dir\view.exe'
mkdir -p "$WINEPREFIX/drive_c/tarnova-e2e/Tool Dir"
printf 'MZ' >"$WINEPREFIX/drive_c/tarnova-e2e/Tool Dir/view.exe"
choose_in_dialog() {  # button id, path
  click_control "$1"
  wait_for dialog || { fail "the open-file dialog did not come up"; return; }
  sleep 0.5
  # The box may hold the last file chosen: select it so typing replaces it.
  xdotool key End shift+Home
  xdotool type --delay 20 "$2"
  xdotool key Return
  for _ in $(seq 50); do probe dialog >/dev/null || return 0; sleep 0.1; done
  fail "the open-file dialog did not close"
}
choose_in_dialog 160 "$program"
[ "$(probe text 140)" = "$program" ] || fail "program box holds [$(probe text 140)]"

# The icon: a 16 x 16 icon, previewed at its natural size in the box.
icon='C:\tarnova-e2e\icons\t.ico'
mkdir -p "$WINEPREFIX/drive_c/tarnova-e2e/icons"
cp "$TARNOVA_SOURCE_DIR/tests/wine/fixtures/ico_16x16.ico" "$WINEPREFIX/drive_c/tarnova-e2e/icons/t.ico"
choose_in_dialog 170 "$icon"
sleep 0.5
read -r bx by < <(probe point 120)
colours=$(import -window root -crop 16x16+$((bx - 8))+$((by - 8)) -format %k info:)
[ "${colours:-1}" -gt 1 ] || fail "the preview shows no icon"

click_control 100
answer_box "文件关联成功，请注销系统，查看"
[ "$(reg_default "HKCR\\.$ext")" = "${ext}file" ] || fail ".$ext is [$(reg_default "HKCR\\.$ext")]"
[ "$(reg_default "HKCR\\${ext}file\\DefaultIcon")" = "$icon" ] ||
  fail "DefaultIcon is [$(reg_default "HKCR\\${ext}file\\DefaultIcon")]"
# A path with a space is quoted, and so is the document.
[ "$(reg_default "HKCR\\${ext}file\\shell\\open\\command")" = "\"$program\"  \"%1\"" ] ||
  fail "open command is [$(reg_default "HKCR\\${ext}file\\shell\\open\\command")]"

click_control 110
answer_box "文件关联清除成功，请注销系统，查看"
[ -z "$(reg_default "HKCR\\.$ext")" ] || fail ".$ext still names [$(reg_default "HKCR\\.$ext")]"
[ -z "$(reg_default "HKCR\\${ext}file\\shell\\open\\command")" ] || fail "open command still set"

# An animated GIF plays in the preview: the box's pixels change over time.
mkdir -p "$WINEPREFIX/drive_c/tarnova-e2e/icons"
cp "$TARNOVA_SOURCE_DIR/tests/wine/fixtures/gif/three_frames.gif" "$WINEPREFIX/drive_c/tarnova-e2e/icons/a.gif"
choose_in_dialog 170 'C:\tarnova-e2e\icons\a.gif'
frames=
for _ in $(seq 12); do
  frames+=$(import -window root -crop 8x8+$((bx - 4))+$((by - 4)) -format '%#' info:)$'\n'
  sleep 0.07
done
[ "$(printf '%s' "$frames" | sort -u | grep -c .)" -ge 2 ] || fail "the animated GIF does not play"

# Esc in an edit box closes the window; the program ends with exit code 0.
click_control 200
xdotool key Escape
code=
for _ in $(seq 50); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; code=$?; break; fi
  sleep 0.2
done
[ "$code" = 0 ] || fail "exit code [$code] after Esc"
[ -n "$code" ] || kill "$pid" 2>/dev/null

wine_run reg delete "HKCR\\.$ext" /f >/dev/null
wine_run reg delete "HKCR\\${ext}file" /f >/dev/null
if [ "$failures" -eq 0 ]; then echo "end-to-end: all steps passed"; exit 0; fi
echo "end-to-end: $failures step(s) failed"
exit 1
