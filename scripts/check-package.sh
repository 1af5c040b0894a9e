#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), then checks it as a fresh
# machine would meet it: its files and dependencies, the desktop entry and the
# AppStream metadata through their validators, and the programs unpacked into
# a temporary root: the lexicon tool's verify on the packaged word.lst, and
# the program, offscreen, started from another folder with an empty home,
# which must seed its working folder and reach its picture menu.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh desktop-file-utils appstream
deb=$(scripts/package.sh | tail -1)
fail() { echo "check-package: $*" >&2; exit 1; }

name=$(basename "$deb")
[[ "$name" =~ ^zendraquil_[0-9.]+_[a-z0-9]+\.deb$ ]] || fail "unexpected file name $name"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/zendraquil ./usr/bin/zendraquil-lex ./usr/share/zendraquil/word.lst \
    ./usr/share/zendraquil/colors.wordset \
    ./usr/share/applications/net.tarnwick.Zendraquil.desktop \
    ./usr/share/metainfo/net.tarnwick.Zendraquil.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/zendraquil.svg \
    ./usr/share/icons/hicolor/16x16/apps/zendraquil.png \
    ./usr/share/icons/hicolor/256x256/apps/zendraquil.png \
    ./usr/share/man/man1/zendraquil.1.gz ./usr/share/man/man1/zendraquil-lex.1.gz \
    ./usr/share/doc/zendraquil/LICENSE ./usr/share/doc/zendraquil/NOTICE; do
    grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
# Nothing of the build's own: no tests, benchmarks or helpers.
if grep -E '_tests$|_bench$|zendraquil-icons|rack_preview' <<<"$contents"; then
    fail "the package holds build-only files"
fi
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 libsqlite3-0 libc6 qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/net.tarnwick.Zendraquil.desktop"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/net.tarnwick.Zendraquil.metainfo.xml"
gzip -t "$tmp/root/usr/share/man/man1/"*.gz

(cd "$tmp/root/usr/share/zendraquil" && "$tmp/root/usr/bin/zendraquil-lex" verify) >"$tmp/verify.txt"
grep -q "172,823\|172823" "$tmp/verify.txt" || { cat "$tmp/verify.txt"; fail "verify did not count 172,823 entries"; }

# A first start: an empty home, started elsewhere, logon skipped.
mkdir -p "$tmp/home/.config/Tarnwick Software" "$tmp/elsewhere" "$tmp/runtime"
chmod 700 "$tmp/runtime"
printf '[Settings]\nNoLogon=1\n' >"$tmp/home/.config/Tarnwick Software/Zendraquil.conf"
(cd "$tmp/elsewhere" && env -i PATH=/usr/bin:/bin HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" \
    QT_QPA_PLATFORM=offscreen ZENDRAQUIL_STARTUP_PROBE=1 \
    timeout 60 "$tmp/root/usr/bin/zendraquil") 2>"$tmp/start.txt" ||
    { cat "$tmp/start.txt"; fail "the unpacked program did not start"; }
grep -q '^menu-shown-ns ' "$tmp/start.txt" || { cat "$tmp/start.txt"; fail "no picture menu"; }
work="$tmp/home/.local/share/Zendraquil"
cmp -s "$work/word.lst" "$tmp/root/usr/share/zendraquil/word.lst" || fail "word.lst not seeded"
[ "$(ls "$work"/*.wordset | wc -l)" -eq "$(ls "$tmp/root/usr/share/zendraquil/"*.wordset | wc -l)" ] ||
    fail "sample word sets not seeded"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "the program wrote into the folder it was started in"
echo "check-package: $name ($(du -k "$deb" | cut -f1) KB) installs and runs"
