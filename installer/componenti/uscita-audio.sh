#!/usr/bin/env bash
# Step 7/7: the audio output the voice and the sounds play through.
. "$(dirname "$0")/comune.sh"
server=()
# A sound server is already there (PulseAudio or PipeWire's PulseAudio service): keep it.
if ! dpkg-query -W -f='${Status}' pulseaudio 2>/dev/null | grep -q "install ok installed" &&
   ! dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null | grep -q "install ok installed"; then
    server=(pipewire-pulse wireplumber)
fi
installa_pacchetti libpulse0 libqt6multimedia6 "${server[@]}"
