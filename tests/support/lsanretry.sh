#!/usr/bin/env bash
# Runs a test program of an AddressSanitizer build. LeakSanitizer's
# stop-the-world tracer now and then crashes at the program's exit ("Tracer
# caught signal 11", then "LeakSanitizer has encountered a fatal error"): a
# fault of the runtime, not a leak and not the test. Such a run is repeated
# once; any other failure stands.
#   lsanretry.sh PROGRAM [ARGS...]
set -u -o pipefail
out="$(mktemp)"
"$@" 2>&1 | tee "$out"
status=$?
if [ "$status" -ne 0 ] && grep -q '^Tracer caught signal' "$out" &&
   grep -q 'LeakSanitizer has encountered a fatal error' "$out"; then
  echo "lsanretry.sh: LeakSanitizer's tracer crashed at exit; running once more"
  "$@"
  status=$?
fi
rm -f "$out"
exit "$status"
