#!/bin/sh
# Installs a build into a temporary prefix and checks what a desktop and a
# package need of it: the installed program answers without a display and
# finds its installed pages, the desktop entry and the metainfo validate, the
# icon is there in every size, and the windows' WM_CLASS is the entry's
# StartupWMClass. Runs on an X server, as under xvfb-run.
#
#   check-install.sh BUILD_FOLDER APPLICATION_ID VERSION
set -eu
build=$1 id=$2 version=$3
prefix=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/bin/telvane
entry=$prefix/share/applications/$id.desktop

answer=$(env -u DISPLAY "$program" --version) || fail "--version: $answer"
[ "$answer" = "Telvane $version" ] || fail "--version: $answer"
answer=$(env -u DISPLAY "$program" --check-data) || fail "--check-data: $answer"
case $answer in
  *"$prefix/share/telvane/Data/welcome.htm"*) ;;
  *) fail "--check-data did not find the installed pages: $answer" ;;
esac

desktop-file-validate "$entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
  [ "$(identify -format %wx%h "$png")" = "${size}x$size" ] || fail "$png is not $size pixels square"
done

wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
"$program" &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
shown=$(xprop -id "$window" WM_CLASS)
case $shown in
  *", \"$wm_class\"") ;;
  *) fail "the window's $shown is not the desktop entry's StartupWMClass $wm_class" ;;
esac
echo "PASS: installed into $prefix, WM_CLASS $wm_class"
