#!/usr/bin/env bash
# Runs one of the README's commands on a new, minimal Debian 12 machine: a root made by debootstrap
# (variant minbase, nothing else installed), the committed project cloned into it, the command run there
# as root with /proc, /sys and /dev bound from this machine (Xvfb and the sanitizers need them).
#
#   scripts/fresh-machine.sh [options] COMMAND [ARGUMENT...]
#     e.g. scripts/fresh-machine.sh ./scripts/test.sh
#          scripts/fresh-machine.sh --display :77 ./scripts/play.sh
#
# Options:
#   --work DIR       where the roots are made (default /var/tmp/globbet-fresh); each run gets a new one
#   --keep           keeps the root after the run (default: removed, unless the command failed)
#   --new-base       makes the base root again instead of unpacking the one kept from an earlier run
#   --display :N     binds this machine's X socket folder into the root and sets DISPLAY=:N, so that a
#                    command that opens a window (the start command) shows it on this machine's X server
#   --commit REV     clones REV instead of HEAD
#   --copy FILE      copies FILE (a built package, say) into the clone's folder, where COMMAND runs
# Environment: MIRROR, a Debian mirror for debootstrap (its default otherwise).
#
# The pristine root is kept as a tarball beside the runs, so only the first run downloads it. Needs root
# (debootstrap and chroot); installs debootstrap with apt when it is missing. Exits with the command's status.
set -euo pipefail

usage() { sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 2; }

WORK=/var/tmp/globbet-fresh KEEP=0 NEW_BASE=0 DISPLAY_NAME="" REV=HEAD COPIES=()
while [ $# -gt 0 ]; do
  case "$1" in
    --work) WORK=$2; shift 2 ;;
    --keep) KEEP=1; shift ;;
    --new-base) NEW_BASE=1; shift ;;
    --display) DISPLAY_NAME=$2; shift 2 ;;
    --commit) REV=$2; shift 2 ;;
    --copy) COPIES+=("$(readlink -f -- "$2")"); shift 2 ;;
    -h|--help) usage ;;
    --) shift; break ;;
    -*) echo "fresh-machine: unknown option $1" >&2; usage ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || usage
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine: run as root (debootstrap and chroot need it)" >&2; exit 2; }

SOURCE=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
mkdir -p "$WORK"
BASE="$WORK/base-bookworm-minbase.tar"

if ! command -v debootstrap >/dev/null; then
  echo "== installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >/dev/null ||
    { apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >/dev/null; }
fi

if [ "$NEW_BASE" -eq 1 ] || [ ! -s "$BASE" ]; then
  echo "== making the base root (debootstrap bookworm, minbase)"
  staging=$(mktemp -d "$WORK/base.XXXXXX")
  debootstrap --variant=minbase bookworm "$staging" ${MIRROR:+"$MIRROR"} >"$WORK/debootstrap.log" 2>&1 ||
    { echo "fresh-machine: debootstrap failed; see $WORK/debootstrap.log" >&2; rm -rf "$staging"; exit 1; }
  tar -C "$staging" -cf "$BASE.part" . && mv "$BASE.part" "$BASE"
  rm -rf "$staging"
fi

ROOT=$(mktemp -d "$WORK/root.XXXXXX")
mounted=()
cleanup() {
  local status=$?
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -R -l "${mounted[i]}" 2>/dev/null || true; done
  if [ "$KEEP" -eq 0 ] && [ "$status" -eq 0 ]; then
    rm -rf --one-file-system "$ROOT"
  else
    echo "fresh-machine: the root is kept in $ROOT"
  fi
}
trap cleanup EXIT

echo "== unpacking a new root in $ROOT"
tar -C "$ROOT" -xf "$BASE"
# The base was packed from a private temporary folder; the root's other accounts (a player) must reach /.
chmod 755 "$ROOT"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"

echo "== cloning the committed project ($REV) into /root/globbet"
git clone -q --no-local "$SOURCE" "$ROOT/root/globbet"
git -C "$ROOT/root/globbet" checkout -q --detach "$(git -C "$SOURCE" rev-parse "$REV")"
for file in "${COPIES[@]}"; do cp -- "$file" "$ROOT/root/globbet/"; done

bind() { mkdir -p "$ROOT$1" && mount --rbind "$1" "$ROOT$1" && mount --make-rslave "$ROOT$1" && mounted+=("$ROOT$1"); }
mount -t proc proc "$ROOT/proc" && mounted+=("$ROOT/proc")
bind /sys
bind /dev
display_env=()
if [ -n "$DISPLAY_NAME" ]; then
  bind /tmp/.X11-unix
  display_env=(DISPLAY="$DISPLAY_NAME")
fi

echo "== running in the fresh root: $*"
started=$SECONDS
status=0
chroot "$ROOT" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${display_env[@]}" \
  /bin/bash -c 'cd /root/globbet && exec "$@"' fresh-machine "$@" || status=$?
echo "== fresh-machine: '$*' exited $status after $((SECONDS - started)) s"
exit "$status"
