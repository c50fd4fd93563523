#!/bin/bash
# The Debian package:  check_package.sh BUILD_DIR VERSION APP_ID
#
# Makes the package with CPack into a scratch folder and inspects it: its name and control fields, its
# files (exactly the Debian layout, the data as built), the extracted programs (their version, the tool
# finding the installed data by itself), and lintian's verdict where lintian is installed: no error and
# no warning. Skipped without dpkg's tools, and in the sanitizer build (the package is the normal one's).
set -u
VERSION="${2:?version}"
ID="${3:?app id}"
. "$(dirname "$0")/../checks/common.sh" package "BUILD_DIR VERSION APP_ID" "$1"
have() { command -v "$1" >/dev/null; }
have dpkg-deb && have dpkg-shlibdeps || { echo "package: skipped: dpkg-dev is not installed"; exit 77; }
[ "$SANITIZED" -eq 0 ] || { echo "package: skipped in the sanitizer build"; exit 77; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/globbet-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
FAILED=0
fail() { echo "package: FAIL: $*"; FAILED=1; }
check() { local message="$1"; shift; "$@" || fail "$message"; }

(cd "$BUILD" && cpack -B "$WORK") >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack failed"; exit 1; }
DEB="$WORK/globbet_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || { ls "$WORK"; fail "no $DEB"; exit 1; }

field() { dpkg-deb --field "$DEB" "$1"; }
check "the package is '$(field Package) $(field Version) $(field Section)'" \
  test "$(field Package) $(field Version) $(field Section)" = "globbet $VERSION games"
check "the maintainer is '$(field Maintainer)'" grep -qE '^[^<>]+ <[^<>@]+@[^<>@]+>$' <<<"$(field Maintainer)"
check "the description has no synopsis and extended text" test "$(field Description | wc -l)" -ge 3
DEPENDS=$(field Depends)
for dep in fonts-liberation2 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libcairo2 libjpeg62-turbo libc6; do
  check "the package does not depend on $dep: $DEPENDS" grep -qE "(^|, )$dep( |,|$)" <<<"$DEPENDS"
done

# Exactly these files, besides the pictures and sounds.
EXPECTED="usr/games/globbet usr/games/globbet-tool usr/lib/games/globbet/globbet
usr/share/applications/$ID.desktop usr/share/metainfo/$ID.metainfo.xml
$(printf "usr/share/icons/hicolor/%s/apps/$ID.png " 32x32 64x64 128x128 256x256)
usr/share/icons/hicolor/scalable/apps/$ID.svg
usr/share/man/man6/globbet.6.gz usr/share/man/man1/globbet-tool.1.gz
usr/share/doc/globbet/copyright usr/share/doc/globbet/changelog.gz"
EXPECTED=$(tr ' ' '\n' <<<"$EXPECTED" | grep . | sort)
FILES=$(dpkg-deb --contents "$DEB" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' |
  grep -v '^usr/share/games/globbet/\(clp\|wav\)/' | sort)
check "the files differ from the Debian layout (< expected, > packaged): $(diff <(echo "$EXPECTED") <(echo "$FILES"))" \
  test "$FILES" = "$EXPECTED"

dpkg-deb -x "$DEB" "$WORK/root"
ROOT="$WORK/root/usr"
for part in clp wav; do
  check "share/games/globbet/$part differs from the build's data" diff -r "$BUILD/data/$part" "$ROOT/share/games/globbet/$part"
done
for program in games/globbet lib/games/globbet/globbet games/globbet-tool; do
  check "$program --version says '$("$ROOT/$program" --version 2>&1)'" \
    test "$("$ROOT/$program" --version)" = "$(basename "$program") $VERSION"
done
check "the menu entry does not start /usr/games/globbet" grep -qx "Exec=/usr/games/globbet" "$ROOT/share/applications/$ID.desktop"
(cd "$WORK" && "$ROOT/games/globbet-tool" replay verify "$SOURCE/tests/replays/master-strategy-short.dat" >/dev/null) ||
  fail "the packaged tool does not find the packaged data by itself"

if have lintian; then
  lintian --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1 || { cat "$WORK/lintian.log"; fail "lintian"; }
fi

[ "$FAILED" -eq 0 ] || { echo "package: FAILED"; exit 1; }
echo "package: all passed"
