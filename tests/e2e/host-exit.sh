#!/usr/bin/env bash
# Checks what tests/e2e/run.sh does when the demo host ends before it is ready:
# the probe fails at once, once, with the host's exit status and its output,
# and the host is not started a second time. democtl.exe stands in for the
# host: given the host's arguments it prints its usage and exits with 2.
#
# usage: tests/e2e/host-exit.sh [builddir]
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
buildDir=$(cd "${1:-$root/build/windows}" 2>/dev/null && pwd) || {
    echo "host-exit: no build directory ${1:-build/windows}" >&2
    exit 2
}

out=$(QUILLMERE_E2E_DEMOHOST="$buildDir/tools/demohost/democtl.exe" \
    bash "$root/tests/e2e/run.sh" "$buildDir" 'e2e_version_info*' 2>&1)
status=$?

failures=0
expect() {
    if [ "$1" = yes ]; then
        echo "ok   $2"
    else
        echo "FAIL $2"
        failures=$((failures + 1))
    fi
}
has() { grep -qF -- "$1" <<<"$out" && echo yes || echo no; }

expect "$([ $status -ne 0 ] && echo yes || echo no)" "the run fails (exit status $status)"
expect "$(has 'FAIL e2e_version_info')" "the probe is reported as failed"
early=$(grep -cF 'e2e: the demo host exited before it was ready (exit status 2)' <<<"$out")
expect "$([ "$early" -eq 1 ] && echo yes || echo no)" \
    "the host's early end, with its exit status, is reported once: the host started once ($early)"
expect "$(has 'usage: democtl')" "the host's own output is shown"
expect "$(has 'e2e: 0 passed, 1 failed')" "the count says 0 passed, 1 failed"

if [ $failures -ne 0 ]; then
    echo "---- tests/e2e/run.sh said"
    sed 's/^/    /' <<<"$out"
    echo "host-exit: FAIL"
    exit 1
fi
echo "host-exit: PASS"
