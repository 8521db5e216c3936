#!/usr/bin/env bash
# Installs a build into a scratch folder as the package lays it out (prefix /usr) and checks what
# a desktop and a system see: exactly the expected files, a valid menu entry and AppStream data,
# a service systemd accepts, and the installed programs running.
#   scripts/check_install.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr

# Nothing loose beside the programs: the pictures and sounds are inside them; the sound
# module lies where the program's run path finds it.
expected="etc/default/quintrel-server
usr/bin/quintrel
usr/bin/quintrel-container
usr/bin/quintrel-server
usr/bin/quintrel-sim
usr/lib/quintrel/quintrel-sound.so
usr/lib/systemd/system/quintrel-server.service
usr/share/applications/quintrel.desktop"
for size in 16 22 24 32 48 64 128 256; do
  expected+=$'\n'"usr/share/icons/hicolor/${size}x${size}/apps/quintrel.png"
done
expected+="
usr/share/icons/hicolor/scalable/apps/quintrel.svg
usr/share/man/man1/quintrel-container.1.gz
usr/share/man/man6/quintrel-server.6.gz
usr/share/man/man6/quintrel-sim.6.gz
usr/share/man/man6/quintrel.6.gz
usr/share/metainfo/org.quintrel.Quintrel.metainfo.xml"
diff <(sort <<<"$expected") <(cd "$stage" && find . -type f -printf '%P\n' | sort)

hints=$(desktop-file-validate "$root/share/applications/quintrel.desktop" 2>&1) || true
[ -z "$hints" ] || { echo "$hints"; exit 1; }
appstreamcli validate --no-net "$root/share/metainfo/org.quintrel.Quintrel.metainfo.xml"
if command -v man >/dev/null; then
  for page in "$root"/share/man/man*/*.gz; do
    warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
  done
fi
if command -v systemd-analyze >/dev/null; then
  # verify wants the program where the unit names it: point the unit into the scratch folder.
  unit=$stage/verify/quintrel-server.service
  mkdir -p "$stage/verify"
  sed "s|^ExecStart=/usr/bin/|ExecStart=$root/bin/|" "$root/lib/systemd/system/quintrel-server.service" >"$unit"
  complaints=$(MANPATH=$root/share/man systemd-analyze verify "$unit" 2>&1) || true
  [ -z "$complaints" ] || { echo "$complaints"; exit 1; }
else
  echo "systemd-analyze not found: the service file was not verified"
fi

runpath=$(readelf -d "$root/bin/quintrel" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ -f "${runpath/\$ORIGIN/$root/bin}/quintrel-sound.so" ] || { echo "run path '$runpath' misses the sound module"; exit 1; }

help=$("$root/bin/quintrel-server" --help)
grep -q -- '--bot-delay' <<<"$help"
"$root/bin/quintrel-sim" --games 10 >"$stage/sim.txt"
grep -q '^games: 10 ' "$stage/sim.txt"
# timing every turn more than halves the games' pace, so only on request
if grep -q 'per turn' "$stage/sim.txt"; then echo "quintrel-sim timed its turns unasked"; exit 1; fi
"$root/bin/quintrel-sim" --games 10 --turn-times >"$stage/sim.txt"
grep -q '^standard turns: [1-9].*CPU per turn mean' "$stage/sim.txt"
"$root/bin/quintrel-container" compress "$root/share/applications/quintrel.desktop" "$stage/packed" >/dev/null
"$root/bin/quintrel-container" decompress "$stage/packed" "$stage/unpacked" >/dev/null
cmp -s "$root/share/applications/quintrel.desktop" "$stage/unpacked"
echo "install check passed: $(wc -l <<<"$expected") files, menu entry, AppStream data, service, programs"
