#!/usr/bin/env bash
# The package installs with apt, its menu entry's command starts the game from /,
# the game shows its title and closes cleanly, and apt removes every file again.
# Needs root or sudo, and the package not installed yet.
# Usage: apt_install.sh pondlark_<version>_<arch>.deb WM_CLOSE
source "$(dirname "$0")/../e2e/lib.sh"
DEB=$(realpath "$1")
WM_CLOSE=$2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

installed() {
    dpkg-query -W -f='${Status}' pondlark 2>/dev/null | grep -q "install ok installed"
}
run_apt() {
    $sudo apt-get -y "$@" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get $1 failed"; }
}

! installed || fail "pondlark is installed already; remove it first"
# A failed run must not leave the package behind.
trap '$sudo apt-get purge -y pondlark >/dev/null 2>&1 || true; cleanup' EXIT
run_apt install "$DEB"
dpkg-query -L pondlark >"$WORK/files"

version=$(dpkg-query -W -f='${Version}' pondlark)
[ "$(/usr/games/pondlark --version)" = "pondlark $version" ] ||
    fail "--version says $(/usr/games/pondlark --version), the package is $version"

entry=/usr/share/applications/io.github.pondlark.PondlarkRemake.desktop
command=$(sed -n 's/^Exec=//p' "$entry" | tr -d '"')
[ "$command" = /usr/games/pondlark ] || fail "the menu entry runs $command"
start_x
(cd / && exec $command) >"$WORK/game.log" 2>&1 &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) ||
    { cat "$WORK/game.log"; fail "main window never appeared"; }
[ "$(readlink "/proc/$GAME_PID/cwd")" = /usr/share/games/pondlark ] ||
    fail "the game works in $(readlink "/proc/$GAME_PID/cwd")"
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; fail "the game ended on its own"; }
"$WM_CLOSE" "$window"
wait_exit 20 || fail "the game did not exit after the close request"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "exit status $GAME_STATUS"; }

run_apt purge pondlark
! installed || fail "still installed after the purge"
while read -r path; do
    # Folders such as /usr/share/man are shared with other packages and stay.
    [ -d "$path" ] && [ ! -L "$path" ] && continue
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path left behind"
done <"$WORK/files"
[ ! -e /usr/share/games/pondlark ] || fail "/usr/share/games/pondlark left behind"
echo "apt install, start and remove: passed"
