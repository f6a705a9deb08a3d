#!/bin/sh
# The release packages:
#   - the Debian package unpacked into a scratch root (dpkg-deb -x) holds
#     qmsim, qmsim-mkmap, the sample maps, the desktop entry and the icon;
#     qmsim runs a headless shot on an installed map from there, and the map
#     maker's map is read by it; the desktop entry passes
#     desktop-file-validate and starts qmsim in the maps' folder; the
#     package depends on SDL2's runtime;
#   - the Windows zip holds both programs, the sample maps and README.txt;
#   - the site's zip holds the page, the program with its loader and maps,
#     and the runner for node.
# Usage: package_test.sh QMSIM.DEB QMSIM-WINDOWS.ZIP QMSIM-WEB.ZIP (make
# package makes them).
set -u

deb=$1
zip=$2
web_zip=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/qm_package.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for file in "$deb" "$zip" "$web_zip"; do
    [ -f "$file" ] || fail "$file is not built (make package builds it; make test does so first)"
done

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"
for file in usr/bin/qmsim usr/bin/qmsim-mkmap usr/share/applications/qmsim.desktop \
    usr/share/icons/hicolor/scalable/apps/qmsim.svg usr/share/qmsim/maps/hills.bmp; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
maps=$(ls "$root"/usr/share/qmsim/maps/*.bmp | wc -l)
[ "$maps" -eq "$(ls "$(dirname "$0")"/../../maps/*.bmp | wc -l)" ] || fail "the package holds $maps sample maps"
echo "ok: the package holds the programs, the maps, the desktop entry and the icon"

printf 'tick 10\ndown f\ntick 1\nup f\ntick 60\nstate\n' >"$work/script.txt"
(cd "$work" && "$root/usr/bin/qmsim" --headless --map "$root/usr/share/qmsim/maps/hills.bmp" \
    --script "$work/script.txt" >"$work/state") || fail "the installed qmsim cannot run a headless shot"
grep -q '"tick":71' "$work/state" || fail "the installed qmsim printed no state: $(head -c 200 "$work/state")"
"$root/usr/bin/qmsim-mkmap" --samples "$work/made" >/dev/null || fail "the installed qmsim-mkmap cannot write maps"
made=$(ls "$work"/made/*.bmp | head -n 1)
printf 'tick 1\nstate\n' | "$root/usr/bin/qmsim" --headless --map "$made" >/dev/null ||
    fail "the installed qmsim cannot read the installed map maker's $made"
echo "ok: the installed programs run from the scratch root"

entry=$root/usr/share/applications/qmsim.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=qmsim' "$entry" || fail "the desktop entry does not start qmsim"
grep -qx 'Path=/usr/share/qmsim/maps' "$entry" || fail "the desktop entry does not start in the maps' folder"
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in
    *libsdl2-2.0-0*) ;;
    *) fail "the package does not depend on SDL2's runtime: $depends" ;;
esac
echo "ok: desktop entry valid; Depends: $depends"

listing=$(unzip -Z1 "$zip") || fail "$zip is not a zip"
folder=$(basename "$zip" .zip)
for file in qmsim.exe qmsim64.exe README.txt hills.bmp; do
    echo "$listing" | grep -qx "$folder/$file" || fail "the Windows zip lacks $folder/$file"
done
echo "ok: the Windows zip holds both programs, the maps and README.txt"

listing=$(unzip -Z1 "$web_zip") || fail "$web_zip is not a zip"
folder=$(basename "$web_zip" .zip)
for file in index.html page.js page_input.js page_form.js page_files.js page_pad.js page_touch.js page_overlay.js page.css service_worker.js manifest.webmanifest build.json qmsim.js.gz qmsim.wasm.gz qmsim-node.js qmsim-node.wasm; do
    echo "$listing" | grep -qx "$folder/$file" || fail "the site's zip lacks $folder/$file"
done
echo "ok: the site's zip holds the page, the program and the runner for node"
