#!/usr/bin/env bash
# `cmake --install` into a fresh prefix: "Video Output" beside the program, a launcher on PATH that
# starts it, the desktop entry naming that launcher (the files themselves: package_test); a second
# start through the launcher ends at once while the first runs on, also after an instance was killed.
set -euo pipefail
build=$1
work=$(mktemp -d)
# Not "kill 0" before the program has started: that would end the whole process group, ctest with it.
trap '[ -z "${first:-}" ] || kill "$first" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

program_dir=$(dirname "$(find "$prefix" -type f -name quillbrook -path '*/quillbrook/quillbrook')")
[ -x "$program_dir/quillbrook" ] || fail "no program"
[ -d "$program_dir/Video Output" ] || fail "no Video Output folder beside the program"
[ -x "$prefix/bin/quillbrook" ] || fail "no launcher on PATH"

entry=$prefix/share/applications/quillbrook.desktop
grep -qx "Exec=$prefix/bin/quillbrook %f" "$entry" || fail "the desktop entry does not start the launcher"

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/quillbrook" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do [ -e "$XDG_RUNTIME_DIR/quillbrook.lock" ] && break; sleep 0.05; done
sleep 0.5
kill -0 "$first" || fail "the installed program did not keep running"
timeout 10 "$prefix/bin/quillbrook" >/dev/null 2>&1 || fail "a second start did not end quietly"
kill -0 "$first" || fail "the first instance ended with the second"
# A killed instance leaves its lock file behind; the lock itself must not outlive the process.
kill -9 "$first"
wait "$first" 2>/dev/null || true
"$prefix/bin/quillbrook" >/dev/null 2>&1 &
first=$!
sleep 0.5
kill -0 "$first" || fail "the lock of a killed instance stopped the next start"
timeout 10 "$prefix/bin/quillbrook" >/dev/null 2>&1 || fail "the start after a killed instance holds no lock"
echo "1 passed, 0 failed"
