#!/usr/bin/env bash
# The Debian package of this build: what it holds and depends on, lintian without errors, its
# desktop entry and software-catalogue data valid, and the program, unpacked into a temporary
# root, starting and finding its converter there.
set -euo pipefail
build=$1 cpack=$2
work=$(mktemp -d)
# Not "kill 0" before the program has started: that would end the whole process group, ctest with it.
trap '[ -z "${started:-}" ] || kill "$started" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$work/out/quillbrook_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb")"

expected=(
  usr/bin/quillbrook usr/lib/quillbrook/quillbrook usr/lib/quillbrook/kodavert.dll
  usr/share/applications/quillbrook.desktop usr/share/metainfo/example.brookfield.Quillbrook.metainfo.xml
  usr/share/man/man1/quillbrook.1.gz usr/share/man/man1/kodavert.dll.1.gz
  usr/share/doc/quillbrook/copyright usr/share/doc/quillbrook/changelog.gz)
for size in 16 24 32 48 64 128 256; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/quillbrook.png"); done
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
diff <(printf '%s\n' "${expected[@]}" | sort) <(echo "$files") || fail "the package holds other files than these"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libavcodec-extra libavformat59 libavfilter8 libqt6widgets6 libqt6network6 libc6; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "no dependency on $needed: $depends"
done

lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/quillbrook.desktop" || fail "desktop entry"
grep -qx "Exec=/usr/bin/quillbrook %f" "$root/usr/share/applications/quillbrook.desktop" || fail "Exec"
# "Open With" offers the program for the video types that Select's filter lists.
for type in video/mp4 video/webm video/x-matroska video/x-flv video/quicktime video/x-msvideo video/mpeg \
  video/3gpp video/x-ms-wmv video/ogg; do
  grep -q "^MimeType=.*$type;" "$root/usr/share/applications/quillbrook.desktop" || fail "MimeType: $type"
  grep -q "<mediatype>$type</mediatype>" "$root"/usr/share/metainfo/*.xml || fail "mediatype: $type"
done
grep -qx "Icon=quillbrook" "$root/usr/share/applications/quillbrook.desktop" || fail "Icon"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml || fail "metainfo"

# The launcher on PATH starts the program in its folder, which finds the converter beside it.
program_dir=$(realpath "$root/usr/lib/quillbrook")
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
answer=$("$root/usr/bin/quillbrook" --version) || fail "--version: $answer"
[ "$answer" = "Quillbrook $version
Converter: $program_dir/kodavert.dll" ] || fail "--version: $answer"
"$root/usr/bin/quillbrook" >/dev/null 2>&1 &
started=$!
sleep 1
kill -0 "$started" || fail "the unpacked program did not keep running"
rm "$program_dir/kodavert.dll"
if "$root/usr/bin/quillbrook" --version >/dev/null 2>&1; then fail "--version without a converter"; fi
echo "1 passed, 0 failed"
