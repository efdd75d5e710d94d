#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed programs, as a user meets them.
#   test_install.sh tree BUILD_DIR PREFIX    install into PREFIX (a fixture of the tests below)
#   test_install.sh cli PREFIX               lumenar-cli with no database beside it
#   test_install.sh desktop BUILD_DIR        the desktop program: its copy, its end, an update
# Under root the programs run as nobody, so the installed files are as read-only to them
# as they are to a user.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

install_tree() { # BUILD_DIR PREFIX
    rm -rf "$2"
    cmake --install "$1" --prefix "$2" >/dev/null
    chmod -R a+rX "$2"
}

# A fresh home and XDG folders in a temporary folder; nothing else of the machine counts.
make_home() {
    work=$(mktemp -d)
    trap '[ -z "${pid:-}" ] || kill -KILL "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
    chmod 755 "$work"
    home=$work/home
    mkdir -p "$home" "$work/run"
    chmod 700 "$work/run"
    as_user=(env -i "PATH=/usr/bin:/bin" "HOME=$home" "XDG_DATA_HOME=$home/.local/share"
        "XDG_CONFIG_HOME=$home/.config" "XDG_CACHE_HOME=$home/.cache" "XDG_DATA_DIRS=$work/none"
        "XDG_RUNTIME_DIR=$work/run" "QT_QPA_PLATFORM=offscreen" "LANG=C.UTF-8")
    if [ "$(id -u)" = 0 ]; then
        chown nobody:nogroup "$home" "$work/run"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
    fi
}

# Every query runs as the program's user: a side file made by another user would lock it out.
query() { # DATABASE SQL
    "${as_user[@]}" sqlite3 -batch "$1" "$2"
}

test_cli() { # PREFIX
    make_home
    [ ! -e "$1/bin/Lumenar.mdb" ] || fail "a database stands beside the installed programs"
    local year
    year=$("${as_user[@]}" "$1/bin/lumenar-cli" 2026) || fail "lumenar-cli 2026 failed"
    grep -q $'^2026-04-05\tSun\tEaster Sunday\t' <<<"$year" || fail "no Easter Sunday on 5 April 2026"
    [ -z "$(find "$home" -mindepth 1)" ] || fail "lumenar-cli wrote into the home folder: $(find "$home" -mindepth 1)"
}

year_rows() {
    query "$copy" "SELECT (SELECT count(*) FROM C_Univ_Temp) + (SELECT count(*) FROM C_USA_Temp)"
}

# The desktop program runs until SIGTERM or SIGINT, then empties its year tables, compacts
# its database and exits 0.
start_desktop() { # [INODE of the copy the start must replace]
    # exec all the way down, so that $! is the program's own process id.
    (exec "${as_user[@]}" "$prefix/bin/lumenar" >"$work/lumenar.log" 2>&1) &
    pid=$!
    # Ready once its copy is in place and the year built: by then the program answers
    # SIGTERM. Until the copy is in place the folder alone is watched, as a query would hold
    # the old copy open and so stop the program from replacing it.
    for _ in $(seq 600); do
        kill -0 "$pid" 2>/dev/null || break
        if [ -f "$copy" ] && [ "$(stat -c %i "$copy")" != "${1:-}" ] && [ "$(year_rows 2>/dev/null || echo 0)" -gt 0 ]; then
            return 0
        fi
        sleep 0.2
    done
    kill -0 "$pid" 2>/dev/null && fail "lumenar did not make its copy and build a year within two minutes"
    wait "$pid" && status=0 || status=$?
    pid=
    fail "lumenar ended by itself (exit $status) before it was sent SIGTERM: $(cat "$work/lumenar.log")"
}

stop_desktop() {
    local inode
    inode=$(stat -c %i "$copy")
    kill -TERM "$pid"
    for _ in $(seq 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$pid" 2>/dev/null && fail "lumenar did not end within a minute of SIGTERM"
    wait "$pid" && status=0 || status=$?
    pid=
    [ "$status" = 0 ] || fail "lumenar answered SIGTERM with exit status $status: $(cat "$work/lumenar.log")"
    [ "$(query "$copy" "PRAGMA integrity_check")" = ok ] || fail "the copy is not sound"
    [ "$(year_rows)" = 0 ] || fail "the year tables were not emptied"
    # The compaction writes a new file and renames it over the old one.
    [ "$(stat -c %i "$copy")" != "$inode" ] || fail "the database was not compacted"
    [ "$(query "$copy" "PRAGMA freelist_count")" = 0 ] || fail "the compacted database has free pages"
}

same_stamp() {
    [ "$(query "$copy" "SELECT Stamp FROM ContentStamp")" = "$(sqlite3 "$installed" "SELECT Stamp FROM ContentStamp")" ]
}

test_desktop() { # BUILD_DIR
    make_home
    prefix=$work/usr
    install_tree "$1" "$prefix"
    copy=$home/.local/share/Lumenar/Lumenar.mdb
    installed=$prefix/share/lumenar/Lumenar.mdb

    start_desktop
    stop_desktop
    same_stamp || fail "the copy does not carry the installed stamp"

    # The user saves a window place; then an update installs a database built from other sources.
    query "$copy" "INSERT INTO Parametri (parametru, valoare, \"Default\") VALUES ('xMain', 4321, 0)"
    cp "$installed" "$work/update.mdb"
    sqlite3 "$work/update.mdb" "UPDATE ContentStamp SET Stamp = Stamp || '-update'"
    chmod 644 "$work/update.mdb"
    mv "$work/update.mdb" "$installed"

    start_desktop "$(stat -c %i "$copy")"
    same_stamp || fail "the copy was not made again from the updated database"
    [ "$(query "$copy" "SELECT parametru || '=' || valoare FROM Parametri WHERE \"Default\" = 0")" = "xMain=4321.0" ] ||
        fail "the saved window place was not carried over"
    [ "$(query "$copy" "SELECT count(*) FROM Parametri WHERE \"Default\" = 1")" = 8 ] || fail "the delivered rows are gone"
    stop_desktop
}

case ${1:-} in
tree) install_tree "$2" "$3" ;;
cli) test_cli "$2" ;;
desktop) test_desktop "$2" ;;
*) fail "usage: test_install.sh tree BUILD_DIR PREFIX | cli PREFIX | desktop BUILD_DIR" ;;
esac
echo "ok"
