#!/usr/bin/env bash
# Checks the direction of #include "..." lines between the folders of src/ (a folder's qt/
# part counts as the folder): no folder may include a folder that includes it back, even
# through others, and only the host may stand on both the engine and the protocol (net).
# app holds the programs' mains and stands on top of everything.
set -euo pipefail
cd "$(dirname "$0")/../src"

# One "from to" pair per include of another folder.
edges=$(grep -rE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' . |
    sed -E 's#^\./([^/:]+)/[^:]*:[[:space:]]*\#[[:space:]]*include[[:space:]]*"([^/"]+)/.*#\1 \2#; t; d' |
    awk '$1 != $2' | sort -u)

echo "$edges" | awk '
    NF == 2 { out[$1] = out[$1] " " $2; folders[$1]; folders[$2] }
    function visit(f, path,    n, i, next_) {
        if (state[f] == 2) return
        if (state[f] == 1) { print "include cycle: " path; bad = 1; return }
        state[f] = 1
        n = split(out[f], next_, " ")
        for (i = 1; i <= n; ++i) visit(next_[i], path " -> " next_[i])
        state[f] = 2
    }
    END {
        for (f in folders) visit(f, f)
        for (f in folders) {
            if (f == "host" || f == "app") continue
            if (index(out[f] " ", " engine ") && index(out[f] " ", " net ")) {
                print f " includes both engine and net: only the host may"
                bad = 1
            }
        }
        exit bad
    }'
echo "includes: every folder points one way"
