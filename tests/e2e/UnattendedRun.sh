# "/preview" and "/auto" with no display, as a scheduled task on a server runs them (OwnPrefix.sh
# runs this): a disk scan of the test's drive, its lines, exit codes, log file and trace records.
drive=$prefix/test-drive
mkdir "$drive" && ln -sfn "$drive" "$prefix/dosdevices/r:"
unset DISPLAY WAYLAND_DISPLAY

settings='HKCU\Software\ZR\VeltrinPRO\Settings'
wine reg add "$settings" /v bDiskOpsNeedToSetDefaultData /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$settings" /v strDiskOpsDriveList /d 'R:' /f >/dev/null 2>&1
wine reg add "$settings" /v strDiskOpsIncludeList /d '*.tmp|*.old' /f >/dev/null 2>&1
wine reg add "$settings\\DiskOpScan" /v bEnabled /t REG_DWORD /d 1 /f >/dev/null 2>&1
printf 'junk!' >"$drive/a.tmp"
printf 'old' >"$drive/b.old"
printf 'letter' >"$drive/keep.doc"

# Runs the cleaner: its output's messages, without their times and line
# ends, in $lines and its exit code in $status.
run() {
    status=0
    lines=$(wine "$windows_path" "$@" </dev/null 2>/dev/null | tr -d '\r' | sed 's/^[^>]*>> //') ||
        status=$?
}

run /preview
[ $status -eq 0 ] || fail "/preview ended with $status: $lines"
[ "$(grep -c ' would be deleted ' <<<"$lines")" = 2 ] && [ -f "$drive/a.tmp" ] && [ -f "$drive/b.old" ] ||
    fail "/preview listed and left: $lines $(ls "$drive")"

run /auto '/log:C:\auto log.txt'
[ $status -eq 0 ] || fail "/auto ended with $status: $lines"
[ "$(grep ' was deleted$' <<<"$lines" | sort)" = 'File R:\a.tmp was deleted
File R:\b.old was deleted' ] || fail "/auto printed: $lines"
[ "$(tr -d '\r' <"$prefix/drive_c/auto log.txt" | sed 's/^[^>]*>> //')" = "$lines" ] ||
    fail "the log file holds other lines than standard output"
[ ! -e "$drive/a.tmp" ] && [ ! -e "$drive/b.old" ] && [ -f "$drive/keep.doc" ] ||
    fail "/auto did not clean as its settings say: $(ls "$drive")"

trace=$(tr -d '\r' <"$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt | grep -v -e '^[0-9]' -e '^-*$' || true)
[ "$trace" = $'/preview\nFinished\n/auto\nFinished' ] || fail "the trace file holds: $trace"

# A log file that cannot be created stops the run before it changes anything.
printf 'junk!' >"$drive/c.tmp"
run /auto '/log:C:\no such folder\x.txt'
[ $status -eq 1 ] || fail "/auto with a log file out of reach ended with $status"
[ -f "$drive/c.tmp" ] || fail "/auto cleaned without its log file"
echo "/preview listed and /auto cleaned with no display, each with its lines and exit code."
