# Sourced by the desktop tests. seed_settings FILE MENU_BAR MORE_WITHOUT writes the settings of
# the person they play: Documents chosen (its folder must exist), a backup drive last seen a
# month ago, and keep watch on for an old backup and an absent drive; MENU_BAR turns the tray
# item on and MORE_WITHOUT the note when more files go without a second copy (true or false).
seed_settings() {
  local file=$1 menu_bar=$2 more_without=$3 documents=$HOME/Documents month_ago
  month_ago=$(date -u -d "30 days ago" +%Y-%m-%dT%H:%M:%SZ)
  printf '{"menuBar": %s, "grants": [{"name": "Documents", "path": "%s", "bookmark": {"version": 1, "path": "%s", "inVolume": "%s", "device": %s, "inode": %s}}],
 "drives": [{"name": "Backup", "path": "/media/you/Backup", "uuid": "0c9e7d8a-5f1e-4d55-9f6b-3d2f1b0a9e11",
   "bookmark": {"version": 1, "path": "/media/you/Backup", "inVolume": "/media/you/Backup", "device": 1, "inode": 2}}],
 "lastSeen": {"0c9e7d8a-5f1e-4d55-9f6b-3d2f1b0a9e11": "%s"},
 "watch": {"weekly": false, "oldBackup": true, "driveAway": true, "moreWithout": %s}}\n' \
    "$menu_bar" "$documents" "$documents" "$documents" "$(stat -c %d "$documents")" "$(stat -c %i "$documents")" \
    "$month_ago" "$more_without" >"$file"
}
