#!/bin/sh
# Runs the control gallery under Wine on the test display, keeps a screenshot
# of it in the test artefacts and fails when the gallery reports a control it
# could not create or the screenshot could not be taken.
# Usage: gallery_shot.sh <emulator> <gallery.exe>
set -u
emulator=$1
gallery=$2
out=${TEST_ARTIFACTS:-.}/controls_gallery.png
mkdir -p "$(dirname "$out")"
rm -f "$out"
"$emulator" "$gallery" --exit-after 6000 &
pid=$!
sleep 4
import -window root "$out"
shot=$?
wait "$pid"
status=$?
if [ "$status" -ne 0 ]; then echo "gallery exited with $status"; exit 1; fi
if [ "$shot" -ne 0 ] || [ ! -s "$out" ]; then echo "no screenshot"; exit 1; fi
echo "screenshot: $out"
