#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every file of the tree names its licence in its first five lines (room for a #! line, an
# XML declaration or a doctype above it), so that a file added later does not go out
# without one. The AppStream metainfo is CC0-1.0; every other file is the program's.
#   test_licence_headers.sh SOURCE_DIR
set -euo pipefail
cd "$1"
if ! listed=$(git ls-files --cached --others --exclude-standard 2>/dev/null); then
    echo "not a git checkout: no list of the tree's files to check"
    exit 77
fi

# Left out: files with no room for a comment, the licence texts themselves, and files
# deleted but not yet committed.
files=()
while IFS= read -r file; do
    case $file in
    LICENSE | *.md | dist/copyright | dist/changelog) continue ;;
    esac
    [ -f "$file" ] && files+=("$file")
done <<<"$listed"

missing=$(awk '
    function close_file() { if (name != "" && !found) print "  " name }
    FNR == 1 {
        close_file()
        name = FILENAME; found = 0
        want = "SPDX-License-Identifier: " (name ~ /^dist\/.*\.metainfo\.xml$/ ? "CC0-1.0" : "GPL-3.0-or-later")
    }
    FNR <= 5 && index($0, want) { found = 1 }
    END { close_file() }
' "${files[@]}")
if [ -n "$missing" ]; then
    printf 'FAIL: no SPDX-License-Identifier line (GPL-3.0-or-later, CC0-1.0 for the metainfo) in the first five lines of:\n%s\n' "$missing"
    exit 1
fi
echo "ok: ${#files[@]} files name their licence"
