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

# LYN_P2P=1: the client reaches a second stand-in installation (sign "home", folder
# run/remote/) only through the stand-in P2P server (127.0.0.1:9009), the address
# resolver (UDP 50005) and the installation's bridge (logs in run/p2p/); it signs up
# on its first start and opens in P2P mode, its cameras arriving through punched ports.
if [ "${LYN_P2P:-0}" = 1 ]; then
  cmake --build "$root/build" -j2 --target lyn-standin-p2pserver lyn-standin-bridge lyn-standin-resolver lyn-p2p-conf
  mkdir -p "$workdir/remote" "$workdir/p2p"
  if [ ! -e "$workdir/remote/localserver.db" ]; then
    cp -r "$root/build/standin-demo/localserver.db" "$root/build/standin-demo/archive" "$workdir/remote/"
  fi
  : >"$workdir/p2p/p2pserver.log"
  (cd "$workdir/p2p" && exec "$root/build/standins/resolver/lyn-standin-resolver" >resolver.log 2>&1) &
  p2p_pids="$!"
  (cd "$workdir/p2p" && exec "$root/build/standins/p2pserver/lyn-standin-p2pserver" --account home:home-secret >/dev/null 2>&1) &
  p2p_pids="$p2p_pids $!"
  (cd "$workdir/remote" && exec "$root/build/standins/localserver/lyn-standin-localserver" --port 27015 >/dev/null 2>&1) &
  p2p_pids="$p2p_pids $!"
  for _ in $(seq 100); do grep -q "P2P server listening" "$workdir/p2p/p2pserver.log" && break; sleep 0.1; done
  (cd "$workdir/p2p" && exec "$root/build/standins/p2pserver/lyn-standin-bridge" --sign home --secret home-secret \
     --local-server ws://127.0.0.1:27015/loader >/dev/null 2>&1) &
  p2p_pids="$p2p_pids $!"
  trap 'kill "$web_pid" $p2p_pids 2>/dev/null || true' EXIT
  "$root/build/standins/p2pserver/lyn-p2p-conf" "$workdir/main.conf" 127.0.0.1 9009 home
fi

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
