#!/bin/bash
# End-to-end smoke run of a windowed program in a real X server.
#
#   smoke.sh [options] -- PROGRAM [ARGS...]
#
# Starts PROGRAM in its own Xvfb (a 1280 x 1024 screen unless --screen says), waits for its first visible top-level
# window, performs the --do steps in order (up to the first that fails: the rest would only wait in vain),
# and checks how it ends. Prints what it does; exits 0 when
# every step and check passed, 1 otherwise.
#
# Options
#   --out DIR            where screenshots, the program's output and the log go (default: a new temp dir)
#   --cwd DIR            run the program in DIR
#   --screen WxH         the X screen's size
#   --wait SECONDS       how long to wait for the window (default 60: a loaded machine starts slowly)
#   --expect-exit CODE   the program must end by itself (or by the steps) with this status
#   --end-wait SECONDS   how long the program may take to end by itself after the steps (default 10;
#                        more for a program under a slow checker that reports at exit)
#   --do 'STEP'          a step, repeatable; coordinates are relative to the window:
#        click X Y | move X Y | drag X1 Y1 X2 Y2
#        key KEYSYM...           keys to the focused window (xdotool names: Return, Escape, F4, ctrl+v)
#        type TEXT               text typed into the focused window
#        sleep SECONDS
#        shot FILE.png           a picture of the window (FILE relative to --out)
#        pixel X Y COLOUR        the window's pixel at (X, Y) of the last shot is COLOUR (e.g. ff0000)
#        output TEXT             the program's standard output so far has a line containing TEXT
#        moved DX DY             the window moved by (DX, DY) since it was first seen
#        size WxH                waits (up to --wait seconds) until the window is W x H pixels
#        settle WxH+X+Y          waits (up to --wait seconds) until that part of the window shows the same
#                                picture twice a second apart: an animation or a movement there has ended
#        changed                 waits (up to --wait seconds) until the area of the last settle shows
#                                something else: the program answered a step (a click took effect)
#        back FILE.png WxH+X+Y   waits (up to --wait seconds) until that part of the window shows again
#                                what the shot FILE showed there (at most 30 pixels differ)
#        close                   asks the program to quit (SIGTERM, which SDL turns into a quit event)
#        wmclose                 the desktop's close of the window (its close command, Alt+F4): the
#                                WM_DELETE_WINDOW message a window manager sends (Xvfb runs none)
#        props FILE              writes the window's WM_CLASS, WM_TRANSIENT_FOR and icon size (_NET_WM_ICON's
#                                first two numbers) as xprop prints them to FILE (relative to --out)
#        cpu SECONDS             prints the program's share of one core over SECONDS ("cpu P % ...") and
#                                its resident memory now and at its peak ("VmRSS: N MB", "VmHWM: N MB")
#
# Needs: Xvfb, xdotool, xwininfo, xprop, ImageMagick (import, convert); globbet-harness for wmclose.
set -u

OUT="" CWD="" SCREEN="1280x1024" WAIT=60 EXPECT_EXIT="" END_WAIT=10
STEPS=()
while [ $# -gt 0 ]; do
  case "$1" in
    --out) OUT="$2"; shift 2 ;;
    --cwd) CWD="$2"; shift 2 ;;
    --screen) SCREEN="$2"; shift 2 ;;
    --wait) WAIT="$2"; shift 2 ;;
    --expect-exit) EXPECT_EXIT="$2"; shift 2 ;;
    --end-wait) END_WAIT="$2"; shift 2 ;;
    --do) STEPS+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "smoke: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "smoke: no program given" >&2; exit 2; }
for tool in xdotool xwininfo xprop import convert; do
  command -v "$tool" >/dev/null || { echo "smoke: $tool is missing" >&2; exit 2; }
done
[ -n "$OUT" ] || OUT=$(mktemp -d /tmp/globbet-smoke.XXXXXX)
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
LOG="$OUT/smoke.log"
: > "$LOG"
say() { echo "smoke: $*" | tee -a "$LOG"; }
FAILED=0
fail() { say "FAIL: $*"; FAILED=1; }

XVFB_PID="" PROG_PID=""
cleanup() {
  [ -n "$PROG_PID" ] && kill -0 "$PROG_PID" 2>/dev/null && kill -KILL "$PROG_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

# ---- the X server ----
command -v Xvfb >/dev/null || { echo "smoke: Xvfb is missing" >&2; exit 2; }
# The server picks a free display number itself and writes it once it accepts connections
# (-displayfd), so parallel runs never race for a number; the screen size confirms the answer is ours.
for attempt in $(seq 5); do
  rm -f "$OUT/display.txt"
  Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" -nolisten tcp 3>"$OUT/display.txt" >"$OUT/xvfb.log" 2>&1 &
  XVFB_PID=$!
  n=""
  for _ in $(seq 100); do
    kill -0 "$XVFB_PID" 2>/dev/null || break
    n=$(sed -n 's/^\([0-9][0-9]*\)$/\1/p' "$OUT/display.txt" 2>/dev/null)
    [ -n "$n" ] && break
    sleep 0.1
  done
  size=""
  [ -n "$n" ] && size=$(xwininfo -root -display ":$n" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {if (w) print w "x" h}')
  if [ "$size" = "$SCREEN" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    export DISPLAY=":$n"
    break
  fi
  kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
done
[ -n "$XVFB_PID" ] || { echo "smoke: could not start an X server of our own (see $OUT/xvfb.log)" >&2; exit 1; }
say "display $DISPLAY, output in $OUT"

# ---- the program ----
say "start: $*"
(
  [ -n "$CWD" ] && cd "$CWD"
  exec "$@"
) >"$OUT/stdout.txt" 2>"$OUT/stderr.txt" &
PROG_PID=$!

# The newest visible top-level window of the program (else of anyone: the server is ours), or nothing.
find_window() {
  local ids id root
  root=$(xwininfo -root 2>/dev/null | awk '/Window id:/ {print $4}')
  ids=$(xdotool search --onlyvisible --pid "$PROG_PID" 2>/dev/null)
  [ -n "$ids" ] || ids=$(xdotool search --onlyvisible --maxdepth 1 --name '.*' 2>/dev/null)
  for id in $(echo "$ids" | sort -un -r); do
    [ "$(printf '0x%x' "$id")" = "$root" ] || { echo "$id"; return; }
  done
}

WID=""
wait_window() {
  local deadline=$((SECONDS + WAIT))
  while [ "$SECONDS" -lt "$deadline" ]; do
    WID=$(find_window)
    [ -n "$WID" ] && break
    kill -0 "$PROG_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$WID" ]; then return 1; fi
  sleep 0.3  # let the first picture arrive
  say "window $WID \"$(xdotool getwindowname "$WID" 2>/dev/null)\""
}

GX0="" GY0="" GX="" GY="" GW="" GH=""
geometry() {
  read -r GX GY GW GH < <(xwininfo -id "$WID" 2>/dev/null | awk '/Absolute upper-left X/ {x = $4}
    /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2} END {if (w) print x, y, w, h}') || return 1
  [ -n "$GX0" ] || { GX0=$GX; GY0=$GY; }
}

LAST_SHOT="" SETTLED_AREA="" SETTLED_SUM=""
# A fingerprint of the window's pixels in the area WxH+X+Y, or nothing when no picture could be taken.
area_sum() {
  import -window "$WID" png:- 2>/dev/null | convert png:- -crop "$1" +repage rgb:- 2>/dev/null | md5sum |
    awk '$1 != "d41d8cd98f00b204e9800998ecf8427e" {print $1}'
}
# Moves the pointer to window point (x, y) in screen coordinates (the window may have moved).
# wm_close WINDOW: asks WINDOW to close as a window manager does (globbet-harness wmclose, named by
# GLOBBET_HARNESS).
wm_close() { "${GLOBBET_HARNESS:?wmclose needs GLOBBET_HARNESS}" wmclose "$1"; }
to_window() { geometry; xdotool mousemove --sync $((GX + $1)) $((GY + $2)); }
# until_ok WHAT COMMAND...: runs COMMAND until it succeeds (then says how long it took); fails the step
# when the program ends first or --wait seconds pass.
until_ok() {
  local what="$1" t0=$SECONDS
  shift
  until "$@"; do
    kill -0 "$PROG_PID" 2>/dev/null || { fail "program ended before $what"; return 1; }
    [ $((SECONDS - t0)) -ge "$WAIT" ] && { fail "no $what within $WAIT s"; return 1; }
    sleep 0.2
  done
  say "$what after $((SECONDS - t0)) s"
}
size_is() { geometry && [ "${GW}x${GH}" = "$1" ]; }
# The area shows the same picture twice a second apart: an animation or a movement there has ended.
settled() {
  SETTLED_SUM=$(area_sum "$1") && sleep 1 && [ -n "$SETTLED_SUM" ] && [ "$(area_sum "$1")" = "$SETTLED_SUM" ]
}
changed() { local now; now=$(area_sum "$SETTLED_AREA") && [ -n "$now" ] && [ "$now" != "$SETTLED_SUM" ]; }
# shows_again FILE AREA: the window's AREA differs from shot FILE's in at most 30 pixels (by over 10 %).
shows_again() {
  local n
  n=$(import -window "$WID" png:- 2>/dev/null | convert "$1" png:- -crop "$2" +repage -compose difference \
    -composite -separate -evaluate-sequence max -threshold 10% -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
  [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" -le 30 ]
}

run_step() {
  local words=($1)
  local op="${words[0]}"
  case "$op" in
    click) to_window "${words[1]}" "${words[2]}"; xdotool click 1 ;;
    move) to_window "${words[1]}" "${words[2]}" ;;
    drag)
      to_window "${words[1]}" "${words[2]}"; xdotool mousedown 1; sleep 0.1
      local sx=$((GX + ${words[1]})) sy=$((GY + ${words[2]}))
      local ex=$((GX + ${words[3]})) ey=$((GY + ${words[4]}))
      for i in 1 2 3 4 5; do
        xdotool mousemove $((sx + (ex - sx) * i / 5)) $((sy + (ey - sy) * i / 5)); sleep 0.05
      done
      sleep 0.1; xdotool mouseup 1; sleep 0.1 ;;
    key) xdotool windowfocus --sync "$WID" 2>/dev/null; xdotool key --delay 50 "${words[@]:1}" ;;
    type) xdotool windowfocus --sync "$WID" 2>/dev/null; xdotool type --delay 50 -- "${1#type }" ;;
    sleep) sleep "${words[1]}" ;;
    shot) import -window "$WID" "$OUT/${words[1]}" && LAST_SHOT="$OUT/${words[1]}" && say "saved $LAST_SHOT" ;;
    pixel)
      [ -n "$LAST_SHOT" ] || { fail "pixel: no shot taken yet"; return; }
      local got
      got=$(convert "$LAST_SHOT" -format "%[hex:p{${words[1]},${words[2]}}]" info: 2>/dev/null | cut -c1-6)
      [ "${got,,}" = "${words[3],,}" ] || fail "pixel (${words[1]}, ${words[2]}) is $got, not ${words[3]}" ;;
    output) until_ok "output line '${1#output }'" grep -qF -- "${1#output }" "$OUT/stdout.txt" ;;
    moved)
      geometry
      [ $((GX - GX0)) -eq "${words[1]}" ] && [ $((GY - GY0)) -eq "${words[2]}" ] ||
        fail "window moved by ($((GX - GX0)), $((GY - GY0))), not (${words[1]}, ${words[2]})" ;;
    size) until_ok "window size ${words[1]}" size_is "${words[1]}" ;;
    settle) SETTLED_AREA="${words[1]}" && until_ok "settled ${words[1]}" settled "${words[1]}" ;;
    changed)
      [ -n "$SETTLED_SUM" ] || { fail "changed: no settle before"; return; }
      until_ok "change in $SETTLED_AREA" changed ;;
    back)
      [ -f "$OUT/${words[1]}" ] || { fail "back: no shot ${words[1]}"; return; }
      until_ok "${words[1]} again in ${words[2]}" shows_again "$OUT/${words[1]}" "${words[2]}" ;;
    close) kill -TERM "$PROG_PID" 2>/dev/null ;;
    wmclose) wm_close "$WID" || fail "cannot send the window manager's close" ;;
    props)
      { xprop -id "$WID" WM_CLASS WM_TRANSIENT_FOR && xprop -id "$WID" -f _NET_WM_ICON 32c -len 16 _NET_WM_ICON; } \
        >"$OUT/${words[1]}" 2>&1 || fail "xprop cannot read the window" ;;
    cpu)
      local before
      before=$(awk '{print $14 + $15}' "/proc/$PROG_PID/stat")
      sleep "${words[1]}"
      awk -v b="$before" -v t="$(getconf CLK_TCK)" -v s="${words[1]}" \
        '{printf "cpu %.1f %% of one core over %d s\n", 100 * ($14 + $15 - b) / t / s, s}' "/proc/$PROG_PID/stat" | tee -a "$LOG"
      awk '/VmRSS|VmHWM/ {printf "%s %.1f MB\n", $1, $2 / 1024}' "/proc/$PROG_PID/status" | tee -a "$LOG" ;;
    *) fail "unknown step '$1'" ;;
  esac
}

if wait_window; then
  geometry && say "geometry $GX $GY $GW $GH"
  for step in "${STEPS[@]}"; do
    kill -0 "$PROG_PID" 2>/dev/null || { fail "program ended before '$step'"; break; }
    [ "$FAILED" -eq 0 ] || { say "steps from '$step' on skipped after the failure"; break; }
    say "do: $step"
    run_step "$step"
  done
elif kill -0 "$PROG_PID" 2>/dev/null; then
  fail "no window within $WAIT s"
else
  fail "program ended without a window"
fi

# ---- the end ----
ended_within() {  # ended_within SECONDS: waits up to SECONDS for the program to end; 1 when it did not
  for _ in $(seq $(($1 * 10))); do kill -0 "$PROG_PID" 2>/dev/null || return 0; sleep 0.1; done
  ! kill -0 "$PROG_PID" 2>/dev/null
}
if ! ended_within "$END_WAIT"; then
  [ -n "$EXPECT_EXIT" ] && fail "program still running after the steps"
  say "asking the program to quit"
  kill -TERM "$PROG_PID" 2>/dev/null
  ended_within 5 || { fail "program did not quit; killed"; kill -KILL "$PROG_PID" 2>/dev/null; }
fi
wait "$PROG_PID" 2>/dev/null
status=$?
PROG_PID=""
say "exit status $status"
if [ -n "$EXPECT_EXIT" ] && [ "$status" != "$EXPECT_EXIT" ]; then fail "expected exit status $EXPECT_EXIT"; fi
if [ -s "$OUT/stderr.txt" ]; then say "stderr:"; sed 's/^/  /' "$OUT/stderr.txt" | head -20 | tee -a "$LOG"; fi
[ "$FAILED" -eq 0 ] && say "PASS" || say "FAILED"
exit "$FAILED"
