# Shared by the scripts that drive the real window: each starts the program
# with its output in "$work/log" and uses these.

fail() { echo "FAIL: $*"; cat "$work/log"; exit 1; }

# Waits (up to a generous minute: the machine may be loaded) until the
# command succeeds.
waitFor() {
  for _ in $(seq 1 600); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
