#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working folder ./run (main.conf,
# logs/ and sdp/ appear there) with the stand-in local server as its server, and
# opens the client window. Without a display the client runs under Xvfb for a
# while and a screenshot of the window is written to run/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target lyn-client lyn-standin-localserver lyn-standin-demo

workdir="$root/run"
mkdir -p "$workdir/server"
cp build/standins/localserver/lyn-standin-localserver "$workdir/server/Kestrel"
# A new server folder starts from the demo installation recorded at build time.
if [ ! -e "$workdir/server/localserver.db" ]; then
  cp -r build/standin-demo/localserver.db build/standin-demo/archive "$workdir/server/"
fi
cd "$workdir"

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/build/client/lyn-client"
fi

seconds="${LYN_RUN_SECONDS:-15}"
shot="$workdir/screenshot.png"
export QTWEBENGINE_DISABLE_SANDBOX=1
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  "$1" & pid=$!
  sleep "$2"
  import -window root "$3"
  kill -TERM $pid
  wait $pid
' _ "$root/build/client/lyn-client" "$seconds" "$shot"
echo "Screenshot of the client window: $shot"
