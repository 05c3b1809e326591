# The clean that runs when Windows asks to end the user's work, and the restart that follows it,
# in the prefix that OwnPrefix.sh makes: under Wine the restart ends every program of its session.
wine reg add 'HKCU\Software\ZR\VeltrinPRO\Settings\General' /v bRunAtShutdown \
    /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine "$windows_path" </dev/null >/dev/null 2>&1 &
veltrin=$!
for _ in $(seq 60); do wine reg query 'HKCU\Software\ZR\VeltrinPRO' /v hWnd >/dev/null 2>&1 && break; sleep 0.5; done

# The cleaner refuses the first end of the session and cleans instead.
wine wineboot --end-session </dev/null >/dev/null 2>&1 && fail "the end of the session was granted before the clean"
# After the clean it asks for the restart, grants the query that follows
# and ends with the session.
for _ in $(seq 120); do kill -0 "$veltrin" 2>/dev/null || break; sleep 0.5; done
kill -0 "$veltrin" 2>/dev/null && fail "the cleaner did not end with the restart"

# The records, the first after the time of the start.
trace=$(tr -d '\r' <"$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt |
    sed 's|^[0-9]\{4\}/[0-9][0-9]/[0-9][0-9]  [0-9][0-9]:[0-9][0-9]:[0-9][0-9]    ||')
[ "$trace" = '-------------
CDlgVeltrin::OnQueryEndSession()
bRunBeforeShutdown && !m_bAlreadyStartedAtShutdown   ->   OnStart()
OnFinishPlay()
m_bShutdownAfterFinish == true
CDlgVeltrin::OnQueryEndSession()
CDlgVeltrin::OnQueryEndSession() returns TRUE' ] || fail "the trace file holds:
$trace"
echo "The clean ran before the end of the session, and the restart followed it."
