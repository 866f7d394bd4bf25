# Sourced by the scripts that start the real program on a virtual display: a folder of
# their own for the settings and the runtime folder, and the helpers to check and to wait.
#   source display_script.sh NAME   (sets work, ini and failed)

work=$(mktemp -d "${TMPDIR:-/tmp}/mxt-$1-XXXXXX")
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME/MXT" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
ini="$XDG_CONFIG_HOME/MXT/MXT.ini"
failed=0

check() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}

await() { # waits up to 10 s for a condition
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
