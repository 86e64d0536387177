#!/bin/sh
# Takes the frame away from the user in the middle of an answer window, on a real X server on
# the real clock, and says when. Run inside an X session (xvfb-run); the program's trace is
# trace.txt in the working folder, the times of the away span (seconds since the program started,
# as the trace counts them) are written to away.txt.
#
#   away_on_x.sh PROGRAM vision|training unmap|focus|shrink SECONDS [TAIL]
#
# vision: a vision test whose first ring is answered, so that the rings after it count when left
# unanswered; training: a training whose images are left unanswered. The frame is taken away
# half a second into the answer window of the next ring or image: unmapped, the keyboard focus
# given to another X client (xmessage), or the frame shrunk to 400 x 300; after SECONDS it comes
# back (mapped, the focus given back, the frame's size as it was). The program is closed TAIL
# seconds (default 9) after that.
set -eu
program=$1 activity=$2 how=$3 seconds=$4 tail=${5:-9}

case $activity in
vision) start="on parameters after 1 click right
on ring after 0.5 answer correct" shown=ring ;;
training) start="on parameters after 1 click left" shown=image ;;
*) echo "away_on_x.sh: vision or training, not $activity" >&2; exit 2 ;;
esac
printf '%s\n%s\nafter %s close\n' "on dialog-shown id=101 after 0.5 dialog press 1" "$start" \
    "$(awk "BEGIN { print $seconds + $tail + 1 }")" > script.txt

now() { date +%s.%N; }
started=$(now)
"$program" --script script.txt --trace trace.txt --data-dir . --config-dir config &
pid=$!

# Waits until the trace holds `count` lines of event `name`.
wait_for() {
    tries=0
    while :; do
        found=$(grep -c " $1\( \|$\)" trace.txt 2>/dev/null) || found=${found:-0}
        [ "${found:-0}" -ge "$2" ] && return 0
        tries=$((tries + 1))
        [ $tries -gt 1200 ] && { echo "away_on_x.sh: no $1 in the trace" >&2; return 1; }
        sleep 0.05
    done
}

# The vision test's first ring is answered; its second is the one taken away. A training's first
# image is.
if [ "$activity" = vision ]; then wait_for ring 2; else wait_for image 1; fi
sleep 0.5
frame=$(xdotool search --onlyvisible --name '^talvena' | head -n 1)
[ -n "$frame" ] || { echo "away_on_x.sh: no frame found" >&2; kill "$pid"; exit 1; }
from=$(awk "BEGIN { printf \"%.3f\", $(now) - $started }")
case $how in
unmap)
    xdotool windowunmap "$frame"
    sleep "$seconds"
    xdotool windowmap "$frame"
    ;;
focus)
    # The frame has the keyboard first, as a window manager gives it to a window clicked.
    xdotool windowfocus "$frame"
    sleep 0.3
    xmessage -geometry 200x100+1100+600 'another program' &
    other=$!
    helper=$(xdotool search --sync --onlyvisible --classname '^xmessage$' | head -n 1)
    xdotool windowfocus "$helper"
    sleep "$seconds"
    xdotool windowfocus "$frame"
    kill "$other"
    ;;
shrink)
    size=$(xdotool getwindowgeometry "$frame" | sed -n 's/.*Geometry: //p')
    xdotool windowsize "$frame" 400 300
    sleep "$seconds"
    xdotool windowsize "$frame" "${size%x*}" "${size#*x}"
    ;;
*) echo "away_on_x.sh: unmap, focus or shrink, not $how" >&2; kill "$pid"; exit 2 ;;
esac
to=$(awk "BEGIN { printf \"%.3f\", $(now) - $started }")
echo "$from $to" > away.txt
wait "$pid"
