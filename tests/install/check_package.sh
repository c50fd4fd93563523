#!/bin/bash
# The Debian package:  check_package.sh BUILD_DIR VERSION APP_ID
#
# Makes the package with CPack into a scratch folder (a staged install under DESTDIR for the prefix
# /usr) and inspects it: its name, version, section and dependencies, its files (exactly the Debian
# layout, the data as built, the installed paths named in the menu entry and the manual page), the
# extracted tool finding the installed data by itself, and lintian's verdict where lintian is installed:
# no error and no warning (it also judges the maintainer, the description, the compressed files and the
# stripped programs). Skipped without dpkg-dev, and in the sanitizer build.
set -u
VERSION="${2:?version}"
ID="${3:?app id}"
. "$(dirname "$0")/../checks/common.sh" package "BUILD_DIR VERSION APP_ID" "$1"
command -v dpkg-shlibdeps >/dev/null && [ "$SANITIZED" -eq 0 ] || { echo "package: skipped"; exit 77; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/globbet-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

(cd "$BUILD" && cpack -B "$WORK") >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; echo "package: FAIL: cpack"; exit 1; }
DEB="$WORK/globbet_${VERSION}_$(dpkg --print-architecture).deb"
field() { dpkg-deb --field "$DEB" "$1"; }
check "the package is '$(field Package) $(field Version) $(field Section)'" \
  test "$(field Package) $(field Version) $(field Section)" = "globbet $VERSION games"
for dep in fonts-liberation2 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libcairo2 libjpeg62-turbo libc6; do
  check "the package does not depend on $dep: $(field Depends)" grep -qE "(^|, )$dep( |,|$)" <<<"$(field Depends)"
done

# Exactly these files, besides the pictures, sounds and pages.
EXPECTED=$(printf '%s\n' usr/games/globbet usr/games/globbet-tool usr/lib/games/globbet/globbet \
  usr/share/{applications/$ID.desktop,metainfo/$ID.metainfo.xml,doc/globbet/copyright,doc/globbet/changelog.gz} \
  usr/share/icons/hicolor/{32x32,64x64,128x128,256x256}/apps/$ID.png usr/share/icons/hicolor/scalable/apps/$ID.svg \
  usr/share/man/man6/globbet.6.gz usr/share/man/man1/globbet-tool.1.gz | sort)
FILES=$(dpkg-deb --contents "$DEB" | awk '$1 !~ /^d/ && $6 !~ /^\.\/usr\/share\/games\/globbet\/(clp|pages|wav)\// {print substr($6, 3)}' | sort)
check "the files differ from the Debian layout (< expected, > packaged): $(diff <(echo "$EXPECTED") <(echo "$FILES"))" \
  test "$FILES" = "$EXPECTED"

dpkg-deb -x "$DEB" "$WORK/root"
R="$WORK/root/usr"
for part in clp pages wav; do check "the packaged $part differs from the build's" diff -r "$BUILD/data/$part" "$R/share/games/globbet/$part"; done
check "the menu entry does not start /usr/games/globbet" grep -qx "Exec=/usr/games/globbet" "$R/share/applications/$ID.desktop"
check "the manual page does not name /usr/share/games/globbet" zgrep -q "/usr/share/games/globbet" "$R/share/man/man6/globbet.6.gz"
check "the packaged tool does not find the packaged data by itself" \
  bash -c "cd '$WORK' && '$R/games/globbet-tool' replay verify '$SOURCE/tests/replays/master-strategy-short.dat' >/dev/null"
! command -v lintian >/dev/null || lintian --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1 ||
  { cat "$WORK/lintian.log"; FAILED=1; }

[ "$FAILED" -eq 0 ] || { echo "package: FAILED"; exit 1; }
echo "package: all passed"
