#!/usr/bin/env bash
# Makes clip.webm, the one-second test clip (about 8 KB) that the playback tests play:
# a moving ball, 160 x 120, 15 frames of VP8, with a quiet Vorbis tone so that the sound
# path is exercised too. Needs gst-launch-1.0 (Debian: gstreamer1.0-tools).
set -euo pipefail
cd "$(dirname "$0")"
gst-launch-1.0 -q webmmux name=mux ! filesink location=clip.webm \
    videotestsrc num-buffers=15 pattern=ball \
    ! video/x-raw,width=160,height=120,framerate=15/1 \
    ! vp8enc target-bitrate=24000 keyframe-max-dist=30 ! mux. \
    audiotestsrc num-buffers=10 samplesperbuffer=1102 freq=440 volume=0.1 \
    ! audio/x-raw,rate=11025,channels=1 ! audioconvert ! vorbisenc quality=0.0 ! mux.
