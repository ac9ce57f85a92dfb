#!/usr/bin/env bash
# Runs a test program on an X server of its own: Xvfb on a display number it
# picks itself (-displayfd, no race between parallel tests). Tests that draw
# only into their own scene run this way side by side; tests that read the
# shared screen or send it input take the display lock instead.
#   owndisplay.sh PROGRAM [ARGS...]
set -u
fd_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
server=$!
for _ in $(seq 1 200); do
  [ -s "$fd_file" ] && break
  sleep 0.02
done
display="$(head -n 1 "$fd_file")"
rm -f "$fd_file"
if [ -z "$display" ]; then
  echo "owndisplay.sh: Xvfb did not start" >&2
  kill "$server" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
