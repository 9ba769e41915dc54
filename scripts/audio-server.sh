# Sourced by ./test: a PulseAudio server with a null sink and a null source as
# the defaults, so sound is played and recorded through the real Qt Multimedia
# path on a machine with no sound card. A server that is already running is used
# as it is and left alone. The null source delivers its silence in 20 ms blocks:
# by default it hands over seconds at once, which no recording of a word survives.

ww_audio_started=""

audio_server_start() {
  if pactl info >/dev/null 2>&1; then
    echo "audio: using the running sound server"
    return 0
  fi
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/wordwell-runtime.XXXXXX)
    export XDG_RUNTIME_DIR
  fi
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
    --log-target=file:"$XDG_RUNTIME_DIR/pulseaudio.log" \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=wordwell_sink" \
    --load="module-null-source source_name=wordwell_source max_latency_msec=20" \
    --load="module-always-sink"
  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! pactl info >/dev/null 2>&1; then
    echo "audio: the sound server did not start; see $XDG_RUNTIME_DIR/pulseaudio.log" >&2
    return 1
  fi
  pactl set-default-sink wordwell_sink
  pactl set-default-source wordwell_source
  ww_audio_started=yes
  echo "audio: started a sound server with a null sink and source in $XDG_RUNTIME_DIR"
}

audio_server_stop() {
  if [ -n "$ww_audio_started" ]; then
    pulseaudio -k 2>/dev/null || true
    ww_audio_started=""
  fi
}
