#!/usr/bin/env bash
# cmake --install into a fresh prefix: the files a desktop expects are there, and the installed
# launcher runs the game in the player's data folder, never writing into the prefix. (The menu
# entry's validity, the icon set and a build-free binary are checked on the package.)
#   install_test.sh BUILD-DIR GAME-ASSET-DIR run|files-only [CLOSE-HELPER]
set -uo pipefail
build=$1 assets=$2 mode=$3 close_helper=${4:-}
tmp=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL -- "-$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Quoting faults in the launcher or the menu entry show up with a space in the path.
prefix="$tmp/pre fix"
cmake --install "$build" --prefix "$prefix" > "$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; fail "cmake --install failed"; }

# --- The installed files -------------------------------------------------------------------------
game="$prefix/libexec/quandel/quandel"
[ -x "$prefix/bin/quandel" ] || fail "no launcher bin/quandel"
[ -x "$game" ] || fail "no game binary libexec/quandel/quandel"
for kind in img snd; do
  n=0
  for f in "$assets/$kind"/*; do
    cmp -s "$f" "$prefix/share/quandel/$kind/$(basename "$f")" || fail "$kind/$(basename "$f") not installed as built"
    n=$((n + 1))
  done
  [ $n -gt 0 ] || fail "the build has no $kind/ to install"
done

desktop="$prefix/share/applications/quandel.desktop"
[ -f "$desktop" ] || fail "no menu entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "\"$prefix/bin/quandel\" %f" ] || fail "menu entry starts '$exec_line', not the installed launcher"
# Replay files are a type of their own, opened by the game.
grep -qx 'MimeType=application/x-quandel-replay;' "$desktop" || fail "the menu entry does not take replay files"
mime="$prefix/share/mime/packages/quandel.xml"
xmllint --noout "$mime" || fail "the MIME type file is not well-formed"
cp -r "$prefix/share/mime" "$tmp/mime" && update-mime-database "$tmp/mime" 2> /dev/null
grep -q 'pattern="\*.qreplay"' "$tmp/mime/application/x-quandel-replay.xml" || fail "update-mime-database does not take the replay type"

icons=0
for icon in "$prefix"/share/icons/hicolor/*/apps/quandel.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "icon in $size is $(identify -format '%wx%h' "$icon")"
  # A picture on a transparent ground.
  [ "$(convert "$icon" -format '%[fx:p{0,0}.a]' info:)" = 0 ] || fail "icon $size has an opaque corner"
  icons=$((icons + 1))
done
echo "installed files checked ($icons icon sizes)"

if [ "$mode" != run ]; then
  echo "no X server: the installed game was not started"
  exit 77
fi

# --- Runs of the installed game --------------------------------------------------------------------
snapshot() { find "$1" -printf '%P %y %s %T@ %l\n' | sort; }
snapshot "$prefix" > "$tmp/prefix.before"

# Starts the launcher from an unrelated folder with the given environment, waits until the game
# has written its files, closes the window and expects a clean exit.
play() {
  local data=$1; shift
  mkdir -p "$tmp/elsewhere"
  touch "$tmp/started"
  sleep 0.01
  (cd "$tmp/elsewhere" && exec env -u XDG_DATA_HOME SDL_AUDIODRIVER=dummy "$@" setsid "$launcher") > "$tmp/out.txt" 2>&1 &
  pid=$!
  local i wid=""
  # The game writes both files at every start, so a run that never got going is noticed even
  # where an earlier run left them.
  for i in $(seq 1 200); do
    [ "$data/scr.hsc" -nt "$tmp/started" ] && [ "$data/config.txt" -nt "$tmp/started" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$tmp/out.txt"; fail "the game ended early"; }
    sleep 0.05
  done
  [ "$data/scr.hsc" -nt "$tmp/started" ] || { cat "$tmp/out.txt"; fail "scr.hsc not written in $data within 10 s"; }
  if [ -n "$close_helper" ] && command -v xdotool > /dev/null; then
    for i in $(seq 1 100); do
      wid=$(xdotool search --name '^Quandel$' 2>/dev/null | head -n 1)
      [ -n "$wid" ] && break
      sleep 0.05
    done
  fi
  if [ -n "$wid" ]; then "$close_helper" "$wid"; else kill -TERM "$pid"; fi
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && fail "the game did not exit within 5 s of the close"
  wait "$pid"; local rc=$?
  pid=""
  [ $rc -eq 0 ] || { cat "$tmp/out.txt"; fail "exit status $rc"; }
  [ "$(stat -c %s "$data/scr.hsc")" = 56 ] || fail "scr.hsc in $data is not 56 bytes"
  [ -z "$(ls -A "$tmp/elsewhere")" ] || fail "the game wrote into the folder it was started from"
}
# The data folder's img/ and snd/ lead to the installed pictures and sounds.
linked() {
  local data=$1 share=$2 d
  for d in img snd; do
    [ -L "$data/$d" ] || fail "$data/$d is not a link"
    [ "$(readlink -f "$data/$d")" = "$(readlink -f "$share/$d")" ] || fail "$data/$d leads to $(readlink "$data/$d")"
  done
  [ -f "$data/img/cube.bmp" ] && [ -f "$data/snd/bgm.mid" ] || fail "the assets are not reachable from $data"
}

home="$tmp/home"
mkdir -p "$home"
launcher="$prefix/bin/quandel"

# First run: the data folder under HOME is created.
play "$home/.local/share/quandel" HOME="$home"
linked "$home/.local/share/quandel" "$prefix/share/quandel"
echo "first run: data folder created under HOME"

# XDG_DATA_HOME takes precedence; a folder the player put there in place of a link stays as it is.
xdg="$tmp/xdg data"
mkdir -p "$xdg/quandel/img"
cp "$assets"/img/*.bmp "$xdg/quandel/img/"
play "$xdg/quandel" HOME="$home" XDG_DATA_HOME="$xdg"
[ -d "$xdg/quandel/img" ] && [ ! -L "$xdg/quandel/img" ] || fail "the player's own img/ was replaced"
[ -L "$xdg/quandel/snd" ] || fail "snd/ not linked into XDG_DATA_HOME"
echo "second run: XDG_DATA_HOME honoured"

# Nothing the game wrote landed in the prefix.
snapshot "$prefix" > "$tmp/prefix.after"
diff "$tmp/prefix.before" "$tmp/prefix.after" > /dev/null || { diff "$tmp/prefix.before" "$tmp/prefix.after"; fail "the prefix changed while playing"; }
found=$(find "$prefix" -name config.txt -o -name scr.hsc -o -name replay.dat)
[ -z "$found" ] || fail "game files in the prefix: $found"

# The install moves and the old one is gone: the dangling links are renewed. A relative
# XDG_DATA_HOME is ignored.
mv "$prefix" "$tmp/moved"
prefix="$tmp/moved"
launcher="$prefix/bin/quandel"
play "$home/.local/share/quandel" HOME="$home" XDG_DATA_HOME=relative
linked "$home/.local/share/quandel" "$prefix/share/quandel"
[ ! -e "$tmp/elsewhere/relative" ] || fail "a relative XDG_DATA_HOME was used"
echo "third run: links follow the moved install"
echo "install test passed"
