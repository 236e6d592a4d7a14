#!/usr/bin/env bash
# The steps of session-test.sh, run inside its X server and session bus.
#   session-steps.sh BRINDLE WORK HERE
set -uo pipefail
brindle=$1 work=$2 here=$3
fail() { echo "FAIL: $*"; exit 1; }
ok() { echo "ok: $*"; }
atspi() { /usr/bin/python3 "$here/atspi.py" "$@"; }
action() {
  gdbus call --session --dest app.brindle.Brindle --object-path /app/brindle/Brindle \
    --method org.freedesktop.Application.ActivateAction "$1" "${2:-[]}" "{}" >/dev/null
}
# Waits up to $1 tenths of a second for the command after it to succeed.
within() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
# The mean lightness (0 to 1) of a window's picture.
lightness() { import -window "$1" png:- 2>/dev/null | convert png:- -colorspace Gray -format "%[fx:mean]" info:; }
is_dark() { [[ $(lightness "$1") < 0.5 ]]; }
is_light() { ! is_dark "$1"; }

# The desktop's own programs.
gsettings set org.gnome.desktop.interface color-scheme default
dunst >"$work/dunst.log" 2>&1 &
trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
  >"$work/trayer.log" 2>&1 &
within 300 xdotool search --name "^panel$" || fail "trayer did not show its panel: $(cat "$work/trayer.log")"
tray=$(xdotool search --name "^panel$" | head -1)

# A person's settings, with the tray item on and every keep-watch note.
documents=$HOME/Documents
settings=$XDG_CONFIG_HOME/Brindle/settings.json
. "$here/seed-settings.sh"
seed_settings "$settings" true true
stdbuf -oL dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
  >"$work/notify.log" 2>&1 &
sleep 0.5

"$brindle" 2>"$work/brindle.err" &
pid=$!
within 300 xdotool search --onlyvisible --name "^Brindle$" || fail "no window titled Brindle appeared"
main=$(xdotool search --onlyvisible --name "^Brindle$" | head -1)
within 100 test -s "$XDG_DATA_HOME/Brindle/last-check.json" || fail "the launch check kept no result"

# What a screen reader reads of the overview: a sidebar row says its name and value, a band
# its summary.
within 50 atspi find "Documents, 1" || fail "no sidebar row reads \"Documents, 1\""
atspi starts "Documents: 1 " || fail "no coverage band speaks the summary of Documents"
ok "the sidebar row reads \"Documents, 1\" and the band speaks its summary"

# Keep watch: the launch check's note about the drive away reaches dunst; a tick of the schedule
# (-watchNow) that calls for it again replaces it; its default action brings the overview forward.
notes_sent() { (($(grep -c "member=Notify" "$work/notify.log") >= $1)); }
displayed() { [[ $(dunstctl count displayed) == "$1" ]]; }
within 100 displayed 1 || fail "no note reached dunst: $(cat "$work/notify.log")"
grep -q '"Backup' "$work/notify.log" || fail "the note does not name the drive: $(cat "$work/notify.log")"
/usr/bin/python3 -c 'import json, sys
settings = json.load(open(sys.argv[1])); settings.pop("notesSent", None); json.dump(settings, open(sys.argv[1], "w"))' "$settings"
action launch "[<['-watchNow', '-select=history']>]" || fail "the launch action was refused"
within 100 notes_sent 2 || fail "-watchNow sent no second note: $(cat "$work/notify.log")"
sleep 0.5
displayed 1 || fail "the repeated note was added beside the first, not put in its place ($(dunstctl count displayed) shown)"
grep -A2 "member=Notify" "$work/notify.log" | tail -1 | grep -qv "uint32 0" || fail "the repeat did not name the note it replaces"
overview="Which of your files have no second copy?"
within 50 bash -c "! /usr/bin/python3 '$here/atspi.py' find '$overview'" || fail "-select=history left the overview showing"
dunstctl action 0
within 50 atspi find "$overview" || fail "the note's default action did not bring the overview forward: $(atspi showing)"
dunstctl close-all
history=$(dunstctl history)
[[ $(dunstctl count history) == 1 ]] && grep -q '"data" : "Backup has been away for a while"' <<<"$history" ||
  fail "dunst's history does not hold the note once: $history"
ok "the keep-watch note reaches dunst, a repeat replaces it, and its action brings the overview forward"

# The tray: trayer embeds the item (XEmbed), and a click opens the panel.
icon=$(xwininfo -tree -id "$tray" | awk '/"brindle-window" "Brindle"/ { print $1; exit }')
[[ -n $icon ]] || fail "trayer embeds no Brindle item: $(xwininfo -tree -id "$tray" | tail -n +5)"
ok "trayer embeds Brindle's tray item ($icon)"
read -r x y < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x + 8, y + 8 }')
# Its tooltip says the count, and its icon carries the badge (the accent's pixels).
xdotool mousemove "$x" "$y"
within 50 atspi find "Brindle, 1 file with no second copy" ||
  fail "hovering the tray item showed no tooltip with the count: $(atspi showing)"
badge=$(import -window "$icon" png:- | convert png:- -fill white +opaque "rgb(163,60,23)" -fill black -opaque "rgb(163,60,23)" \
  -negate -format "%[fx:round(mean*w*h)]" info:)
((badge > 20)) || fail "the tray icon shows no count badge ($badge pixels of the accent)"
ok "the tray item's tooltip says \"Brindle, 1 file with no second copy\" and its icon carries the badge"
xdotool mousemove "$x" "$y" click 1
within 50 atspi find Open Brindle || fail "a click on the tray item opened no panel"
sleep 0.6 # a second click sooner is a double click, which the item leaves alone
xdotool mousemove "$x" "$y" click 1
within 50 bash -c "! /usr/bin/python3 '$here/atspi.py' find Open Brindle" || fail "a second click left the panel open"
ok "a click on the tray item opens the panel, and another closes it"

# The appearance follows the portal, which follows the desktop's setting.
within 50 is_light "$main" || fail "the window is not light while the desktop asks for no preference ($(lightness "$main"))"
gsettings set org.gnome.desktop.interface color-scheme prefer-dark
within 100 is_dark "$main" || fail "the window did not turn dark when the desktop did ($(lightness "$main"))"
gsettings set org.gnome.desktop.interface color-scheme prefer-light
within 100 is_light "$main" || fail "the window did not turn light again ($(lightness "$main"))"
ok "the window turns dark and light again with the desktop's colour scheme, through the portal"

# Show in Files asks the file manager's D-Bus interface for the folder.
stdbuf -oL dbus-monitor --session "type='method_call',interface='org.freedesktop.FileManager1',member='ShowItems'" \
  >"$work/show-items.log" 2>&1 &
monitor=$!
sleep 0.5
action launch "[<['-select=folder=Documents']>]" || fail "the launch action was refused"
within 50 atspi press Show in Files || fail "the folder screen has no Show in Files button"
within 50 grep -q "file://$documents" "$work/show-items.log" ||
  fail "no ShowItems call for file://$documents: $(cat "$work/show-items.log")"
kill $monitor
ok "Show in Files calls org.freedesktop.FileManager1.ShowItems with file://$documents"

# Open at login writes and removes the autostart entry.
entry=$XDG_CONFIG_HOME/autostart/app.brindle.Brindle.desktop
atspi press "Settings…" || fail "the File menu has no Settings… item"
within 50 atspi find Open at login || fail "Settings… opened no settings window with Open at login"
[[ $(atspi state Open at login) == unchecked ]] || fail "Open at login is on before it was switched"
atspi press Open at login
within 50 test -f "$entry" || fail "switching Open at login on wrote no $entry"
desktop-file-validate "$entry" || fail "the autostart entry does not validate"
[[ $(atspi state Open at login) == checked ]] || fail "the switch does not read as on"
atspi press Open at login
within 50 test ! -e "$entry" || fail "switching Open at login off left $entry"
ok "Open at login writes a valid autostart entry, reads as on, and removes the entry again"

# Every control a screen reader meets has a name.
nameless=$(atspi nameless)
[[ -z $nameless ]] || fail "controls without an accessible name: $nameless"
ok "every button, switch and menu item showing has an accessible name"

action quit || fail "the quit action could not be called"
gone() { [[ ! -e /proc/$pid ]] || [[ $(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null) == Z ]]; }
within 100 gone || fail "Brindle did not quit when asked"
wait $pid || fail "Brindle quit with status $?"
ok "the quit action ends Brindle"
