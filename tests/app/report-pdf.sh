#!/usr/bin/env bash
# `brindle report --pdf`: the demonstration letters and a kept check's letter are one page
# each, with every section and no placeholder left unfilled, drawn without a display; and the
# command fails, writing nothing, without a kept check or a writable destination.
# Skips (status 77) when poppler-utils is not installed.
#
#   report-pdf.sh PATH-TO-BRINDLE
set -euo pipefail
brindle=$1
for tool in pdftotext pdfinfo; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool (poppler-utils) is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
# A platform that needs a display, and no display: the command must not care.
export QT_QPA_PLATFORM=xcb
unset DISPLAY WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

letter_has() {
  local pdf=$1; shift
  [[ $(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }') == 1 ]] || fail "$pdf is not one page"
  local text
  text=$(pdftotext "$pdf" - | tr '\n' ' ')
  for want in "Brindle report" "Checked " "All folders" "Backups" \
              "Brindle only reads what your computer says" "$@"; do
    grep -qF -- "$want" <<<"$text" || fail "$pdf lacks \"$want\": $text"
  done
  if grep -qE '\{[A-Za-z]+\}' <<<"$text"; then fail "$pdf has an unfilled placeholder: $text"; fi
}

"$brindle" report --demo-drive --pdf "$work/drive.pdf"
letter_has "$work/drive.pdf" "Changed since" "Unchanged" "What needs you" "last backup on "
"$brindle" report --demo --pdf - >"$work/no-backup.pdf"
letter_has "$work/no-backup.pdf" "Only on this" "What needs you" "Your backup tool isn’t set up on this computer."

status=0
"$brindle" report --pdf "$work/none.pdf" 2>"$work/err" || status=$?
[[ $status == 1 && ! -e $work/none.pdf ]] || fail "no kept check: status $status"
grep -q "no kept check" "$work/err" || fail "no kept check: $(cat "$work/err")"

# Eighty folders still make one page.
folders=()
for n in $(seq 1 80); do
  mkdir -p "$work/Letters $n"
  echo "Dear" >"$work/Letters $n/one.txt"
  folders+=("$work/Letters $n")
done
"$brindle" check "${folders[@]}" --save >/dev/null
"$brindle" report --pdf "$work/kept.pdf"
letter_has "$work/kept.pdf" "Letters 1" "Letters 80"

status=0
"$brindle" report --demo --pdf "$work/no-such-folder/letter.pdf" 2>"$work/err" || status=$?
[[ $status == 1 ]] || fail "an unwritable destination gave status $status"
grep -q "could not be written" "$work/err" || fail "unwritable: $(cat "$work/err")"
echo "report letters: ok"
