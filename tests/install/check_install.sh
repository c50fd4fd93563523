#!/bin/bash
# What a player gets from `cmake --install`:  check_install.sh BUILD_DIR APP_ID VERSION
#
# Installs the build into a scratch prefix and checks the layout, the icons, the menu entry, the
# software centres' entry and the manual pages (with their validators when they are installed); starts
# the installed game through its launcher on SDL's dummy drivers in a scratch home and stops it; moves
# the installation and starts it again; then tries the launcher's own rules on a stand-in installation
# whose "game" only says where it was started. (The staged install a package makes: check_package.sh.)
# Exits 0 when every check passed.
#
# Sections: set-up · layout · menu entry, metainfo, manual pages · the game through the launcher ·
#           the launcher's rules
set -u
ID="${2:?app id}"
VERSION="${3:?version}"
. "$(dirname "$0")/../checks/common.sh" install "BUILD_DIR APP_ID VERSION" "$1"

# ---- set-up ----------------------------------------------------------------------------------------------
WORK=$(mktemp -d "${TMPDIR:-/tmp}/globbet-install.XXXXXX")
GAME_PID=""
trap '[ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
have() { command -v "$1" >/dev/null; }
# The game on the headless drivers (common.sh set the sanitizer build's options).
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  { cat "$WORK/install.log"; echo "install: FAIL: cmake --install failed"; exit 1; }

# ---- layout ----------------------------------------------------------------------------------------------
for f in bin/globbet bin/globbet-tool libexec/globbet/globbet; do
  check "$f is missing or not executable" test -x "$PREFIX/$f"
done
check "bin/globbet is not the launcher script" test "$(head -c 2 "$PREFIX/bin/globbet")" = "#!"
check "share/globbet holds more than clp, pages and wav" \
  test "$(cd "$PREFIX/share/globbet" && echo *)" = "clp pages wav"
# Every data file of the build, byte for byte.
for part in clp pages wav; do
  check "share/globbet/$part differs from the build's data" diff -r "$BUILD/data/$part" "$PREFIX/share/globbet/$part"
done
check "no intro picture installed" test -s "$PREFIX/share/globbet/clp/intro.clp"

png_size() {  # the width x height of a PNG file from its header
  [ "$(od -An -tx1 -N8 "$1" 2>/dev/null | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
  od -An -tu1 -j16 -N8 "$1" | awk '{print (($1 * 256 + $2) * 256 + $3) * 256 + $4 "x" (($5 * 256 + $6) * 256 + $7) * 256 + $8}'
}
for size in 32 64 128 256; do
  icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/$ID.png"
  check "the $size px icon is '$(png_size "$icon")', not a ${size}x$size PNG" test "$(png_size "$icon")" = "${size}x$size"
done
SVG="$PREFIX/share/icons/hicolor/scalable/apps/$ID.svg"
check "the scalable icon is missing" test -s "$SVG"
have xmllint && check "the scalable icon is not well-formed XML" xmllint --noout "$SVG"
have rsvg-convert && check "the scalable icon does not render" rsvg-convert -w 64 -h 64 -o "$WORK/svg.png" "$SVG"

# ---- menu entry, metainfo, manual pages ----------------------------------------------------------------
DESKTOP="$PREFIX/share/applications/$ID.desktop"
METAINFO="$PREFIX/share/metainfo/$ID.metainfo.xml"
MAN6="$PREFIX/share/man/man6/globbet.6"
MAN1="$PREFIX/share/man/man1/globbet-tool.1"
for f in "$DESKTOP" "$METAINFO" "$MAN6" "$MAN1" "$PREFIX/bin/globbet"; do
  check "$f is missing" test -s "$f"
  check "$f keeps a placeholder" bash -c "! grep -n '@[A-Z_]*@' '$f'"
done
desktop_key() { sed -n "s/^$1=//p" "$DESKTOP"; }
# The launcher by its full path, unless the path holds characters the entry would have to quote.
exec_expected="$PREFIX/bin/globbet"
[[ "$exec_expected" =~ ^[A-Za-z0-9/._+-]+$ ]] || exec_expected=globbet
check "the menu entry starts '$(desktop_key Exec)', not the launcher" test "$(desktop_key Exec)" = "$exec_expected"
check "the menu entry's icon is '$(desktop_key Icon)'" test "$(desktop_key Icon)" = "$ID"
check "the menu entry's categories are '$(desktop_key Categories)'" test "$(desktop_key Categories)" = "Game;LogicGame;"
check "the menu entry names the window class '$(desktop_key StartupWMClass)'" test "$(desktop_key StartupWMClass)" = "$ID"
have desktop-file-validate && check "desktop-file-validate refuses the menu entry" desktop-file-validate "$DESKTOP"
check "the metainfo does not name $ID" grep -q "<id>$ID</id>" "$METAINFO"
check "the metainfo does not launch $ID.desktop" grep -q ">$ID.desktop</launchable>" "$METAINFO"
check "the metainfo has no content rating" grep -q '<content_rating type="oars-1.1"' "$METAINFO"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$METAINFO" | head -1)
check "the newest release of the metainfo is '$newest', the build is $VERSION" test "$newest" = "${VERSION%%+*}"
if have appstreamcli; then
  check "appstreamcli refuses the metainfo" appstreamcli validate --no-net "$METAINFO"
  check "appstreamcli refuses the installed tree" appstreamcli validate-tree --no-net "$PREFIX"
fi
if have man; then
  for page in "$MAN6" "$MAN1"; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    check "man warns about $page: $warnings" test -z "$warnings"
    check "man shows no NAME section in $page" bash -c "MANWIDTH=80 man -l '$page' 2>/dev/null | grep -q '^NAME'"
  done
  check "the game's manual page does not name the installed data" grep -q "$PREFIX/share/globbet" "$MAN6"
fi

# ---- the game through the launcher ---------------------------------------------------------------------
for program in bin/globbet libexec/globbet/globbet bin/globbet-tool; do
  check "$program --version says '$("$PREFIX/$program" --version)'" test "$("$PREFIX/$program" --version)" = "${program##*/} $VERSION"
done
"$PREFIX/bin/globbet" --bogus >/dev/null 2>&1
check "an unknown option does not end with status 2" test $? -eq 2

# play_once HOME XDG_DATA_HOME: starts the installed launcher from a folder of its own, lets the game
# run a second after the player's folder is linked, and stops it as the desktop would (SIGTERM, which
# the game takes as a close request and saves). Fails unless the game ran and ended with status 0.
play_once() {
  local home="$1" xdg="$2" player status asked=0
  if [ -n "$xdg" ]; then player="$xdg/globbet"; else player="$home/.local/share/globbet"; fi
  mkdir -p "$WORK/elsewhere"
  (cd "$WORK/elsewhere" && HOME="$home" XDG_DATA_HOME="$xdg" exec "$PREFIX/bin/globbet") \
    >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  for _ in $(seq 100); do
    [ -L "$player/clp" ] && [ -L "$player/wav" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  sleep 1
  kill -TERM "$GAME_PID" 2>/dev/null && asked=1  # a game that stopped by itself is not asked
  wait "$GAME_PID"; status=$?; GAME_PID=""
  [ "$asked$status" = 10 ] || { cat "$WORK/game.out"; fail "the game ended with status $status (asked: $asked)"; return 1; }
}
links_to() {  # links_to PLAYER_FOLDER INSTALL_PREFIX: clp, pages and wav link into that installation's data
  local part
  for part in clp pages wav; do
    [ -L "$1/$part" ] && [ "$(readlink "$1/$part")" = "$(cd "$2/share/globbet" && pwd -P)/$part" ] || return 1
  done
}

HOME1="$WORK/home"
PLAYER="$HOME1/.local/share/globbet"
mkdir -p "$HOME1"
if play_once "$HOME1" ""; then
  check "the player's folder does not link the installed data" links_to "$PLAYER" "$PREFIX"
  check "the game did not save sv.dat in the player's folder" test -s "$PLAYER/sv.dat"
  check "the game saved in the folder it was started from" test ! -e "$WORK/elsewhere/sv.dat"
fi

# A moved installation: the links follow it, the player's settings stay.
"$PREFIX/bin/globbet-tool" sv set Game.Options.Level 2 "$PLAYER/sv.dat" >/dev/null ||
  fail "globbet-tool cannot change the player's sv.dat"
MOVED="$WORK/moved prefix"
mv "$PREFIX" "$MOVED"
PREFIX="$MOVED"
if play_once "$HOME1" "$HOME1/.local/share"; then
  check "the links do not follow the moved installation" links_to "$PLAYER" "$PREFIX"
  check "the player's level did not survive the move" \
    test "$("$PREFIX/bin/globbet-tool" sv get Game.Options.Level "$PLAYER/sv.dat")" = 2
fi
(cd "$WORK" && "$PREFIX/bin/globbet-tool" replay verify "$SOURCE/tests/replays/master-strategy-short.dat" >/dev/null) ||
  fail "the moved installation's tool does not find its data by itself"

# ---- the launcher's rules ------------------------------------------------------------------------------
# A stand-in installation: the launcher as installed, a "game" that writes its folder and stops.
FAKE="$WORK/fake"
mkdir -p "$FAKE/bin" "$FAKE/libexec/globbet" "$FAKE/share/globbet/clp" "$FAKE/share/globbet/wav" "$FAKE/share/globbet/pages"
cp "$PREFIX/bin/globbet" "$FAKE/bin/globbet"
# shellcheck disable=SC2016  # the stand-in expands the variable when it runs
printf '#!/bin/sh\npwd -P > "$GLOBBET_TEST_STARTED"\n' >"$FAKE/libexec/globbet/globbet"
chmod +x "$FAKE/libexec/globbet/globbet"
export GLOBBET_TEST_STARTED="$WORK/started"
launch() {  # launch LAUNCHER ENV...: runs it with only the given environment; prints its messages
  rm -f "$GLOBBET_TEST_STARTED"
  env -i PATH="$PATH" GLOBBET_TEST_STARTED="$GLOBBET_TEST_STARTED" "${@:2}" "$1" 2>&1
}
started_in() { [ -f "$GLOBBET_TEST_STARTED" ] && [ "$(cat "$GLOBBET_TEST_STARTED")" = "$(cd "$1" && pwd -P)" ]; }

H="$WORK/a home"  # a space in every path
mkdir -p "$H"
launch "$FAKE/bin/globbet" HOME="$H" XDG_DATA_HOME="relative/share" >/dev/null
check "a relative XDG_DATA_HOME is not ignored" started_in "$H/.local/share/globbet"
check "no links in the player's folder of a home with a space" links_to "$H/.local/share/globbet" "$FAKE"

mkdir -p "$WORK/links"
ln -s "$FAKE/bin/globbet" "$WORK/links/globbet"
launch "$WORK/links/globbet" HOME="$H" >/dev/null
check "the launcher reached through a link does not find its installation" started_in "$H/.local/share/globbet"

P2="$WORK/xdg/globbet"
mkdir -p "$P2/clp"
touch "$P2/clp/mine"
ln -s "$WORK/gone/share/globbet/wav" "$P2/wav"
launch "$FAKE/bin/globbet" XDG_DATA_HOME="$WORK/xdg" >/dev/null
check "the game did not start in \$XDG_DATA_HOME/globbet" started_in "$P2"
check "the player's own clp folder was replaced" test -f "$P2/clp/mine" -a ! -L "$P2/clp"
check "a link into a vanished installation was not renewed" \
  test "$(readlink "$P2/wav")" = "$(cd "$FAKE/share/globbet" && pwd -P)/wav"

message=$(launch "$FAKE/bin/globbet")
check "no clear message without HOME and XDG_DATA_HOME: '$message'" grep -q "HOME" <<<"$message"
check "the game started without a player's folder" test ! -e "$GLOBBET_TEST_STARTED"

rmdir "$FAKE/share/globbet/wav"
message=$(launch "$FAKE/bin/globbet" HOME="$H")
status=$?
check "missing data ends the launcher with status $status, not 1" test "$status" -eq 1
check "missing data does not stop the launcher with a message to reinstall: '$message'" \
  grep -q "reinstall" <<<"$message"
check "the game started without its data" test ! -e "$GLOBBET_TEST_STARTED"

[ "$FAILED" -eq 0 ] || { echo "install: FAILED"; exit 1; }
echo "install: all passed"
