#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working folder ./run (main.conf,
# logs/ and sdp/ appear there) with the stand-in local server as its server,
# starts the stand-in web services (account, OAuth, channel list) on
# 127.0.0.1:${LYN_WEB_PORT:-27080} and points main.conf's "Cloud" group at them, and
# opens the client window. Without a display the client runs under Xvfb for a
# while and a screenshot of the window is written to run/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target lyn-client lyn-standin-localserver lyn-standin-demo lyn-standin-web lyn-cloud-conf

workdir="$root/run"
mkdir -p "$workdir/server"
cp build/standins/localserver/lyn-standin-localserver "$workdir/server/Kestrel"
# A new server folder starts from the demo installation recorded at build time.
if [ ! -e "$workdir/server/localserver.db" ]; then
  cp -r build/standin-demo/localserver.db build/standin-demo/archive "$workdir/server/"
fi
cd "$workdir"

# The web stand-in keeps its accounts in run/web/web.db (demo@example.com, password "demo").
web_port="${LYN_WEB_PORT:-27080}"
mkdir -p "$workdir/web"
(cd "$workdir/web" && exec "$root/build/standins/web/lyn-standin-web" --port "$web_port" >>web.log 2>&1) &
web_pid=$!
trap 'kill "$web_pid" 2>/dev/null || true' EXIT
"$root/build/standins/web/lyn-cloud-conf" "$workdir/main.conf" "http://127.0.0.1:$web_port"

if [ -n "${DISPLAY:-}" ]; then
  "$root/build/client/lyn-client"
  exit
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
