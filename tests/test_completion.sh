#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of lumenar-cli offers its options and their values.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"

check() { # EXPECTED WORDS... (with '=' among bash's word breaks, --variant=U is three words)
    COMP_WORDS=("${@:2}")
    COMP_CWORD=$(($# - 2))
    COMPREPLY=()
    _lumenar_cli
    [ "${COMPREPLY[*]}" = "$1" ] || {
        echo "FAIL: '${*:2}' completed to '${COMPREPLY[*]}', not '$1'" >&2
        exit 1
    }
}

check "--variant --version" lumenar-cli --v
check "Universal USA" lumenar-cli --variant ""
check "USA" lumenar-cli --variant = US
check "Universal USA" lumenar-cli --variant =
check "ics" lumenar-cli 2026 --format i
check "$(date +%Y)" lumenar-cli ""
complete -p lumenar-cli >/dev/null
echo ok
