#!/usr/bin/env bash
# Runs a test program with the tests' web server beside it:
#   with_test_web_server.sh <wine prefix> <command> [arguments...]
# The server keeps its files in the prefix's "C:\veltrin-web", where the
# program reads and writes them; the program finds the server's addresses in
# VELTRIN_TEST_SERVER and VELTRIN_TEST_SILENT_SERVER, and its folder in
# VELTRIN_TEST_SERVER_ROOT. Without Python the program runs alone, and its
# tests of the server say that they are skipped.
set -uo pipefail
prefix=$1
shift
root=$prefix/drive_c/veltrin-web
here=$(cd "$(dirname "$0")" && pwd)

if ! command -v python3 >/dev/null; then
    exec "$@"
fi
rm -rf "$root"
mkdir -p "$root"
python3 "$here/test_web_server.py" "$root" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null' EXIT
for _ in $(seq 100); do
    [ -f "$root/ports" ] && break
    sleep 0.1
done
if ! read -r port silent_port <"$root/ports"; then
    echo "with_test_web_server: the web server did not start" >&2
    exit 1
fi
export VELTRIN_TEST_SERVER=http://127.0.0.1:$port
export VELTRIN_TEST_SILENT_SERVER=http://127.0.0.1:$silent_port
export VELTRIN_TEST_SERVER_ROOT='C:\veltrin-web'
"$@"
