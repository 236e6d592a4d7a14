#!/usr/bin/env bash
# Brindle in a real X11 desktop session, started here: Xvfb, a private session bus, the dunst
# notification server, the trayer tray host, xdg-desktop-portal with its GTK back end (reading
# GSettings from a key file) and the accessibility bus. Nothing is a stand-in; each check says
# what it saw when it fails.
#
#   session-test.sh PATH-TO-BRINDLE
# Skips (status 77) when one of the programs is missing, unless BRINDLE_REQUIRE_REAL_TOOLS=1,
# when a missing program fails the test.
set -euo pipefail
brindle=$1
here=$(cd "$(dirname "$0")" && pwd)

for program in Xvfb dbus-run-session dunst dunstctl trayer xdotool xwininfo import dbus-monitor gsettings \
    desktop-file-validate /usr/bin/python3 /usr/libexec/xdg-desktop-portal /usr/libexec/xdg-desktop-portal-gtk; do
  if ! command -v "$program" >/dev/null; then
    if [[ ${BRINDLE_REQUIRE_REAL_TOOLS:-} == 1 ]]; then echo "FAIL: $program is not installed"; exit 1; fi
    echo "skipped: $program is not installed"; exit 77
  fi
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || {
  if [[ ${BRINDLE_REQUIRE_REAL_TOOLS:-} == 1 ]]; then echo "FAIL: python3-pyatspi is not installed"; exit 1; fi
  echo "skipped: python3-pyatspi is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime GSETTINGS_BACKEND=keyfile QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0
# Midday here whatever the hour, for notes are never sent at night.
offset=$(( 10#$(date -u +%H) - 12 ))
export TZ="Etc/GMT$( ((offset >= 0)) && echo "+$offset" || echo "$offset")"
unset WAYLAND_DISPLAY
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME/Brindle" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "a letter" >"$HOME/Documents/letter.txt"

exec timeout 170 xvfb-run -a -s "-screen 0 1400x900x24" dbus-run-session -- \
  bash "${STEPS:-$here/session-steps.sh}" "$brindle" "$work" "$here"
