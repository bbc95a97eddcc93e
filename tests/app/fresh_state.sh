#!/usr/bin/env bash
# Runs a window test with a state folder of its own: what one run of the
# window remembers (its size, zoom, last page) never reaches another test,
# nor the user's own folder.
# Usage: fresh_state.sh COMMAND [ARGUMENTS...]
set -u
state=$(mktemp -d)
export XDG_STATE_HOME="$state"
"$@"
status=$?
rm -rf "$state"
exit "$status"
