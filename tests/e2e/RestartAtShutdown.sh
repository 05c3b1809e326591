#!/usr/bin/env bash
# The clean that runs when Windows asks to end the user's work, and the
# restart that follows it, in a Wine prefix of their own: under Wine the
# restart ends every program of the prefix's session.
#   RestartAtShutdown.sh SOURCE_ROOT VELTRIN_EXE BASE_PREFIX
set -euo pipefail
root=$1 program=$2 base_prefix=$3
source "$root/scripts/lib/wine.sh"
source "$root/tests/e2e/OwnPrefix.sh"

own_prefix "$base_prefix" restart "$program"
wine reg add 'HKCU\Software\ZR\VeltrinPRO\Settings\General' /v bRunAtShutdown \
    /t REG_DWORD /d 1 /f >/dev/null 2>&1

wine "$windows_path" </dev/null >/dev/null 2>&1 &
veltrin=$!
for _ in $(seq 60); do wine reg query 'HKCU\Software\ZR\VeltrinPRO' /v hWnd >/dev/null 2>&1 && break; sleep 0.5; done
kill -0 "$veltrin" 2>/dev/null || fail "the cleaner did not start"

# The cleaner refuses the first end of the session and cleans instead.
if wine wineboot --end-session </dev/null >/dev/null 2>&1; then
    fail "the end of the session was granted before the clean"
fi
# After the clean it asks for the restart, grants the query that follows
# and ends with the session.
for _ in $(seq 120); do kill -0 "$veltrin" 2>/dev/null || break; sleep 0.5; done
kill -0 "$veltrin" 2>/dev/null && fail "the cleaner did not end with the restart"

trace=$(tr -d '\r' <"$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt | tail -n +2)
expected='CDlgVeltrin::OnQueryEndSession()
bRunBeforeShutdown && !m_bAlreadyStartedAtShutdown   ->   OnStart()
OnFinishPlay()
m_bShutdownAfterFinish == true
CDlgVeltrin::OnQueryEndSession()
CDlgVeltrin::OnQueryEndSession() returns TRUE'
[ "$trace" = "$expected" ] || fail "the trace file holds:
$trace"
echo "The clean ran before the end of the session, and the restart followed it."
