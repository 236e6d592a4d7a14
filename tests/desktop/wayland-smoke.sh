#!/usr/bin/env bash
# Brindle's window on Wayland, in a headless Weston compositor of its own on a private session
# bus: it paints its first frame; a second launch hands its arguments to the running window and
# ends; the quit action ends the window; with "Show in the system tray" on and no tray host (a
# plain Wayland compositor has none) the window still runs and quits cleanly. The D-Bus paths
# are the same as on X11: a keep-watch note reaches the notification server (dunst, drawing on an
# X server of its own, for Weston offers it no surface) and its action brings the window forward,
# and the appearance is asked of the desktop portal.
#
#   wayland-smoke.sh PATH-TO-BRINDLE
# Skips (status 77) when weston or Qt's Wayland platform is missing, unless
# BRINDLE_REQUIRE_REAL_TOOLS=1, when a missing program fails the test.
set -euo pipefail
brindle=$1

missing() {
  if [[ ${BRINDLE_REQUIRE_REAL_TOOLS:-} == 1 ]]; then echo "FAIL: $1 is not installed"; exit 1; fi
  echo "skipped: $1 is not installed"; exit 77
}
command -v weston >/dev/null || missing weston
command -v dbus-run-session >/dev/null || missing dbus-run-session
for program in dunst dunstctl Xvfb dbus-monitor /usr/libexec/xdg-desktop-portal /usr/libexec/xdg-desktop-portal-gtk; do
  command -v "$program" >/dev/null || missing "$program"
done
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null || missing qt6-wayland

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=brindle-smoke QT_QPA_PLATFORM=wayland GSETTINGS_BACKEND=keyfile
# Midday here whatever the hour, for notes are never sent at night.
offset=$(( 10#$(date -u +%H) - 12 ))
export TZ="Etc/GMT$( ((offset >= 0)) && echo "+$offset" || echo "$offset")"
unset DISPLAY
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Brindle" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

exec dbus-run-session -- bash -s "$brindle" "$work" "$(dirname "$0")" <<'SESSION'
set -uo pipefail
brindle=$1 work=$2 here=$3
fail() { echo "FAIL: $*"; exit 1; }
bus() { gdbus call --session --dest "$1" --object-path "$2" --method "$3" "${@:4}"; }
owned() { bus org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner app.brindle.Brindle | grep -q true; }

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null' EXIT
for _ in $(seq 100); do [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && break; sleep 0.1; done
[[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || fail "weston did not start: $(tail -5 "$work/weston.log")"

timeout 60 "$brindle" -demo --quit-after-first-paint 2>"$work/paint.err" ||
  fail "the window painted no frame on Wayland: $(tail -5 "$work/paint.err")"
echo "ok: the window paints its first frame on Wayland"

# Runs the window until it owns its bus name; the pid in $window.
start_window() {
  "$brindle" "$@" 2>>"$work/window.err" &
  window=$!
  for _ in $(seq 150); do owned && return 0; kill -0 $window 2>/dev/null || break; sleep 0.2; done
  fail "the window did not take its bus name ($*): $(tail -5 "$work/window.err")"
}
quit_window() {
  bus app.brindle.Brindle /app/brindle/Brindle org.freedesktop.Application.ActivateAction quit "[]" "{}" >/dev/null ||
    fail "the quit action could not be called"
  for _ in $(seq 50); do kill -0 $window 2>/dev/null || break; sleep 0.2; done
  kill -0 $window 2>/dev/null && { kill -KILL $window; fail "the window did not quit within 10 s of being asked ($1)"; }
  wait $window || fail "the window ended with status $? ($1)"
}

start_window -demo
timeout 30 "$brindle" -select=history || fail "a second launch did not hand over to the running window"
kill -0 $window 2>/dev/null || fail "the running window ended when a second launch handed over"
echo "ok: a second launch hands its arguments to the running window and ends"
quit_window "the demonstration"
echo "ok: the quit action ends the window"

# The notification server and the portal, and a person keeping watch over a drive away a month.
Xvfb -displayfd 3 -screen 0 800x600x24 3>"$work/x-display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $weston $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [[ -s $work/x-display ]] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/x-display") dunst >"$work/dunst.log" 2>&1 &
stdbuf -oL dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
  "type='method_call',interface='org.freedesktop.portal.Settings'" >"$work/monitor.log" 2>&1 &
sleep 0.5
mkdir -p "$HOME/Documents"
. "$here/seed-settings.sh"
seed_settings "$XDG_CONFIG_HOME/Brindle/settings.json" false false
start_window -watchNow
for _ in $(seq 100); do [[ $(timeout 5 dunstctl count displayed) == 1 ]] && break; sleep 0.1; done
[[ $(dunstctl count displayed) == 1 ]] || fail "no keep-watch note reached dunst from Wayland: $(cat "$work/monitor.log")"
grep -q "Backup has been away" "$work/monitor.log" || fail "the note is not the drive's: $(cat "$work/monitor.log")"
grep -q "member=Read" "$work/monitor.log" || fail "the window asked the portal nothing of the appearance"
timeout 5 dunstctl action 0
timeout 5 dunstctl close-all
kill -0 $window 2>/dev/null || fail "the window ended when its note's action was invoked"
quit_window "keeping watch"
echo "ok: on Wayland a keep-watch note reaches dunst, its action is taken, and the portal is asked for the appearance"

printf '{"menuBar": true}\n' >"$XDG_CONFIG_HOME/Brindle/settings.json"
start_window -demo
sleep 1
kill -0 $window 2>/dev/null || fail "the window ended when the tray item had no host: $(tail -5 "$work/window.err")"
quit_window "the tray switch on, no tray host"
echo "ok: without a tray host the window runs, and quits when asked"
SESSION
