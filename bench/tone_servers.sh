#!/bin/sh
# Runs a command with ALSA's "default" device routed to a sound server playing into a null sink
# named "cap", so that tones can be timed and recorded (see bench/tone_timing.cpp). By hand only;
# the servers are not needed to build or test:
#   apt-get install --no-install-recommends pulseaudio pulseaudio-utils libasound2-plugins \
#       pipewire pipewire-pulse wireplumber dbus
#   bench/tone_servers.sh pulseaudio|pipewire|pipewire-unlinked COMMAND [ARGS...]
# pipewire-unlinked runs PipeWire without a session manager: there is no sink, and streams are
# never linked to one (nothing can be recorded there).
# The command finds the recording command for the null sink's monitor in $TONE_RECORD.
set -eu
setup=$1
shift
dir=$(mktemp -d)
export HOME="$dir" XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' > "$HOME/.asoundrc"
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    sleep 0.5
    rm -rf "$dir"
}
trap cleanup EXIT

case "$setup" in
pulseaudio)
    export PULSE_SERVER="unix:$dir/pulse.sock"
    cat > "$dir/server.pa" <<PA
load-module module-null-sink sink_name=cap rate=48000 channels=1
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse.sock
set-default-sink cap
PA
    pulseaudio -n --daemonize=no --exit-idle-time=-1 -F "$dir/server.pa" >"$dir/server.log" 2>&1 &
    pids="$!"
    ;;
pipewire | pipewire-unlinked)
    eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
        { read -r address; read -r pid; echo "DBUS_SESSION_BUS_ADDRESS='$address'; bus=$pid"; })"
    export DBUS_SESSION_BUS_ADDRESS
    pids="$bus"
    pipewire >"$dir/pipewire.log" 2>&1 &
    pids="$pids $!"
    sleep 1
    if [ "$setup" = pipewire ]; then
        wireplumber >"$dir/wireplumber.log" 2>&1 &
        pids="$pids $!"
    fi
    pipewire-pulse >"$dir/pipewire-pulse.log" 2>&1 &
    pids="$pids $!"
    ;;
*)
    echo "tone_servers.sh: unknown setup '$setup' (pulseaudio, pipewire, pipewire-unlinked)" >&2
    exit 2
    ;;
esac
sleep 2
if [ "$setup" = pipewire ]; then
    pactl load-module module-null-sink sink_name=cap rate=48000 channels=1 >/dev/null
    pactl set-default-sink cap
fi
# A stream of silence keeps the sink running: an idle sink's monitor records nothing, which would
# leave gaps in a recording that is placed on the clock by its length.
if [ "$setup" != pipewire-unlinked ]; then
    pacat --playback --raw --format=s16le --rate=48000 --channels=1 </dev/zero &
    pids="$pids $!"
    sleep 1
fi
export TONE_RECORD="parec -d cap.monitor --raw --format=s16le --rate=48000 --channels=1 --latency-msec=10"
"$@"
