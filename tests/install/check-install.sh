#!/bin/sh
# check-install.sh BUILD_FOLDER APPLICATION_ID VERSION, on an X server (as under xvfb-run):
# installs into a temporary prefix; the program answers without a display and finds its pages,
# the desktop entry and metainfo validate, the icon is there in every size, the windows' WM_CLASS
# is the entry's StartupWMClass, and a run to the start page writes nothing to the terminal.
set -eu
build=$1 id=$2 version=$3
prefix=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/bin/telvane
entry=$prefix/share/applications/$id.desktop
answer=$(env -u DISPLAY "$program" --version) && [ "$answer" = "Telvane $version" ] ||
  fail "--version: $answer"
answer=$(env -u DISPLAY "$program" --check-data) &&
  [ "${answer#*"$prefix/share/telvane/Data/welcome.htm"}" != "$answer" ] ||
  fail "--check-data did not find the installed pages: $answer"
desktop-file-validate "$entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
icon=$(sed -n 's/^Icon=//p' "$entry")
for file in scalable/apps/$icon.svg 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  case $file in *x*) file=$file/apps/$icon.png ;; esac
  [ -f "$prefix/share/icons/hicolor/$file" ] || fail "no icon $file"
done

# A desktop session has a runtime folder; without one Qt says so on the terminal.
export XDG_RUNTIME_DIR="$prefix/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
"$program" 2>"$prefix/terminal" &
pid=$!
splash=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
shown=$(xprop -id "$splash" WM_CLASS)
[ "${shown%", \"$wm_class\""}" != "$shown" ] ||
  fail "the window's $shown is not the desktop entry's StartupWMClass $wm_class"
xdotool mousemove --window "$splash" 100 100 click 1
timeout 60 xdotool search --sync --onlyvisible --name '^Orvanta 1\.3$' >/dev/null
sleep 5 # the web engine starts and shows the start page
kill "$pid"
wait "$pid" || true
pid=
[ ! -s "$prefix/terminal" ] || fail "a normal run wrote to the terminal: $(cat "$prefix/terminal")"
echo "PASS: installed into $prefix, WM_CLASS $wm_class"
