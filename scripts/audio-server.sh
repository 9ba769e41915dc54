# Sourced by ./test and scripts/bench: a PulseAudio server with a null sink and a
# null source as the defaults, so sound is played and recorded through the real
# Qt Multimedia path on a machine with no sound card. It is always a server of
# our own, even when the desktop runs one: no test may play into the
# developer's speakers or record the room. It lives in a runtime folder of its
# own and every client is pointed at it by PULSE_SERVER, which the sound
# library obeys before the desktop's own settings (its X11 property, its
# client.conf), so two runs on one machine never share, or stop, each other's
# server, nor reach the desktop's.
# The null source delivers its silence in 20 ms blocks: by default it hands over
# seconds at once, which no recording of a word survives.

ww_audio_started=""
ww_audio_runtime=""
ww_audio_pid=""

audio_server_start() {
  ww_audio_runtime=$(mktemp -d /tmp/wordwell-runtime.XXXXXX)
  export XDG_RUNTIME_DIR="$ww_audio_runtime"
  export PULSE_SERVER="unix:$ww_audio_runtime/pulse/native"
  # Nothing of the desktop's session may lead a client elsewhere.
  unset PULSE_RUNTIME_PATH PULSE_COOKIE
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
  ww_audio_pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)
  pactl set-default-sink wordwell_sink
  pactl set-default-source wordwell_source
  ww_audio_started=yes
  echo "audio: started a sound server of our own with a null sink and source in $XDG_RUNTIME_DIR"
}

audio_server_stop() {
  if [ -n "$ww_audio_started" ]; then
    # Ours only: it finds the server by the pid file in our runtime folder.
    pulseaudio -k 2>/dev/null || true
    # Until it is gone it may still write into its runtime folder.
    for _ in $(seq 50); do
      if [ -n "$ww_audio_pid" ]; then kill -0 "$ww_audio_pid" 2>/dev/null || break
      else pactl info >/dev/null 2>&1 || break
      fi
      sleep 0.1
    done
    ww_audio_started=""
    ww_audio_pid=""
  fi
  if [ -n "$ww_audio_runtime" ]; then
    rm -rf "$ww_audio_runtime"
    ww_audio_runtime=""
  fi
}
