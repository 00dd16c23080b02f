#!/usr/bin/env bash
# The Debian packages as a user gets them: the game and the video export, built by CPack, unpacked
# into a scratch root, their control fields, files and manual pages checked, their programs run
# from there, and lintian clean.
#   deb_test.sh CPACK BUILD-DIR VERSION BUILT-QUANDEL-REPLAY SAMPLE-PLAY
set -uo pipefail
cpack=$1 build=$2 version=$3 built_replay=$4 play=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/out" > "$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$(echo "$tmp"/out/quandel_*.deb)
[ -f "$deb" ] || fail "cpack made no single game package: $deb"
vdeb=$(echo "$tmp"/out/quandel-video_*.deb)
[ -f "$vdeb" ] || fail "cpack made no single video package: $vdeb"

# --- Control fields: the version from the build, the libraries found in the binaries ----------------
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libpng16-16; do
  [[ ", $depends," == *", $lib "* ]] || fail "Depends lacks $lib: $depends"
done
# The encoders and the synthesiser are the video export's alone.
vdepends=$(dpkg-deb -f "$vdeb" Depends)
for lib in libavcodec libavformat libswscale libswresample libavutil libfluidsynth; do
  [[ " $depends" != *" $lib"* ]] || fail "the game depends on $lib: $depends"
  [[ " $vdepends" == *" $lib"* ]] || fail "the video package lacks $lib: $vdepends"
done
[[ $vdepends == *"quandel (= $version)"* ]] || fail "the video package does not need this game: $vdepends"
if command -v apt-get > /dev/null; then
  apt-get install -s "$deb" "$vdeb" > "$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "the packages do not install"; }
fi

# --- The files --------------------------------------------------------------------------------------
root=$tmp/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
usr=$root/usr
for f in libexec/quandel/quandel share/quandel/img/cube.bmp share/quandel/snd/bgm.mid \
         share/doc/quandel/copyright share/doc/quandel/changelog.gz; do
  [ -s "$usr/$f" ] || fail "no $f"
done
[ -f "$usr/share/icons/hicolor/32x32/apps/quandel.png" ] || fail "no icon"
desktop=$usr/share/applications/quandel.desktop
grep -qx 'Exec="/usr/games/quandel" %f' "$desktop" || fail "menu entry: $(grep ^Exec "$desktop")"
desktop-file-validate "$desktop" || fail "the menu entry does not validate"
grep -qx 'Icon=quandel' "$desktop" && grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fail "menu entry icon or categories"
metainfo=$(echo "$usr"/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo" > "$tmp/appstream.log" 2>&1 || { cat "$tmp/appstream.log"; fail "metadata invalid"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "metadata without a release $version"
dpkg-deb -x "$vdeb" "$tmp/video-root" || fail "dpkg-deb -x of the video package"
cp -a "$tmp/video-root/usr/." "$usr"
for page in quandel quandel-replay quandel-video; do
  man=$usr/share/man/man6/$page.6.gz
  [ -f "$man" ] || fail "no manual page for $page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man" 2>&1 > "$tmp/page.txt")
  [ -z "$warnings" ] || fail "$page.6: $warnings"
  grep -q "$version" "$tmp/page.txt" || fail "$page.6 does not name version $version"
done
# What the programs can read (a library search path included) must not lead back to the build.
for f in "$usr/games/quandel-replay" "$usr/games/quandel-video" "$usr/libexec/quandel/quandel"; do
  grep -qF "$(readlink -f "$build")" "$f" && fail "$f names the build folder"
done

# --- The packaged programs, run from the scratch root ----------------------------------------------
# Telling the version makes no data folder for the player.
v=$(env -u XDG_DATA_HOME HOME="$tmp/home" "$usr/games/quandel" --version)
[ "$v" = "quandel $version" ] || fail "quandel --version: $v"
[ ! -e "$tmp/home" ] || fail "quandel --version made $(find "$tmp/home")"
[ "$("$usr/games/quandel-replay" --version)" = "quandel-replay $version" ] || fail "quandel-replay --version"
expected=$("$built_replay" "$play") || fail "the built quandel-replay failed"
got=$(cd "$tmp" && "$usr/games/quandel-replay" "$play") || fail "the packaged quandel-replay failed"
[ "$got" = "$expected" ] || fail "packaged replay says '$got', the build '$expected'"
# Its pictures come from the unpacked install, found from the tool's own place.
mkdir "$tmp/frames"
"$usr/games/quandel-replay" --frames "$tmp/frames" --every 100000 "$play" > /dev/null || fail "frames from the package"
[ -s "$tmp/frames/frame_-0059.png" ] || fail "no frame drawn with the packaged pictures"
# --video starts the packaged quandel-video; with the game's package alone it says what is missing.
PATH=/usr/bin:/bin "$usr/games/quandel-replay" --video "$tmp/clip.mp4" --scale 1 --to 1 "$play" ||
  fail "video from the packages"
[ -s "$tmp/clip.mp4" ] || fail "no video from the packages"
rm "$usr/games/quandel-video"
PATH=/usr/bin:/bin "$usr/games/quandel-replay" --video "$tmp/none.mp4" "$play" 2> "$tmp/err"
[ $? -eq 2 ] || fail "--video without the video package: exit not 2"
grep -q "quandel-video package" "$tmp/err" || fail "--video without the video package: $(cat "$tmp/err")"

# --- lintian ------------------------------------------------------------------------------------------
if command -v lintian > /dev/null; then
  lintian --fail-on error,warning "$deb" "$vdeb" > "$tmp/lintian.log" 2>&1 || { cat "$tmp/lintian.log"; fail "lintian"; }
  echo "lintian: $(grep -c '^[EW]:' "$tmp/lintian.log") errors and warnings"
fi
echo "packages $(basename "$deb") and $(basename "$vdeb") checked"
