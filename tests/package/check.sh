#!/usr/bin/env bash
# check.sh CPACK BUILD_DIR: builds the .deb of BUILD_DIR into a folder of its
# own and checks
#   - its file list: the program, the desktop entry, the icon, the guide with its pictures, nothing else;
#   - the desktop entry: Russian name and comment, category Office, a command and icon the package holds;
#   - its declared dependencies: the package of every library the program links, and what it needs
#     without linking (the Qt ODBC plugin, the PostgreSQL ODBC driver, Qt's Russian translation, the fonts,
#     xdg-utils);
#   - the program unpacked from it finds every library it links on this machine.
set -euo pipefail
CPACK=$1
BUILD=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

failures=0
fail() {
  printf 'FAIL: %s\n' "$*"
  failures=$((failures + 1))
}

"$CPACK" -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 \
  || { cat "$WORK/cpack.log"; echo "FAIL: cpack did not build the package"; exit 1; }
ARCH=$(dpkg --print-architecture)
debs=("$WORK"/out/tabel_*_"$ARCH".deb)
[ -f "${debs[0]}" ] || { ls -R "$WORK/out"; echo "FAIL: no tabel_*_$ARCH.deb"; exit 1; }
DEB=${debs[0]}
echo "package: $(basename "$DEB")"

# Files (directories left out).
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print $6 }' | sort >"$WORK/files"
cat >"$WORK/expected" <<'LIST'
./usr/bin/tabel
./usr/share/applications/tabel.desktop
./usr/share/doc/tabel/guide.md
./usr/share/doc/tabel/images/editor.png
./usr/share/doc/tabel/images/journal.png
./usr/share/doc/tabel/images/login.png
./usr/share/doc/tabel/images/report.png
./usr/share/doc/tabel/images/reports.png
./usr/share/doc/tabel/images/timesheet.png
./usr/share/icons/hicolor/scalable/apps/tabel.svg
LIST
diff -u "$WORK/expected" "$WORK/files" || fail "the package's files differ from the list above"

dpkg-deb -x "$DEB" "$WORK/root"
[ -x "$WORK/root/usr/bin/tabel" ] || fail "usr/bin/tabel is not executable"

# The desktop entry.
ENTRY=$WORK/root/usr/share/applications/tabel.desktop
[ -f "$ENTRY" ] || { echo "FAIL: the package holds no desktop entry"; exit 1; }
key() { sed -n "s/^$1=//p" "$ENTRY" | head -n 1; }
[ "$(sed -n 1p "$ENTRY")" = "[Desktop Entry]" ] || fail "the desktop entry does not begin with [Desktop Entry]"
[ "$(key Type)" = Application ] || fail "Type is not Application"
[ "$(key Name)" = "Табель" ] || fail "Name is '$(key Name)', not Табель"
# Cyrillic letters are two bytes in UTF-8, the first 0xD0 or 0xD1, whatever the locale.
key Comment | LC_ALL=C grep -q $'[\xd0\xd1]' || fail "Comment is not Russian: '$(key Comment)'"
key Categories | tr ';' '\n' | grep -qx Office || fail "Categories '$(key Categories)' lack Office"
command=$(key Exec | awk '{ print $1 }')
[ -x "$WORK/root/usr/bin/$command" ] || fail "the entry's command '$command' is not a program of the package in usr/bin"
[ -f "$WORK/root/usr/share/icons/hicolor/scalable/apps/$(key Icon).svg" ] || fail "the entry's icon '$(key Icon)' is not in the package"
grep -q '<svg' "$WORK/root/usr/share/icons/hicolor/scalable/apps/tabel.svg" || fail "the icon is not an SVG"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$ENTRY" || fail "desktop-file-validate refuses the entry"
fi

# Declared dependencies: package names, versions left out.
dpkg-deb -f "$DEB" Depends | tr ',' '\n' | sed 's/(.*)//; s/^ *//; s/ *$//' | sort -u >"$WORK/depends"
echo "declares: $(paste -sd ' ' "$WORK/depends")"
needs=(libqt6sql6-odbc odbc-postgresql qt6-translations-l10n fonts-liberation fonts-dejavu-core xdg-utils)
# The package of each library the program links, where this machine's loader finds it.
ldd "$WORK/root/usr/bin/tabel" >"$WORK/resolved" || true
while read -r lib; do
  path=$(awk -v l="$lib" '$1 == l && $2 == "=>" && $3 ~ /^\// && !found { print $3; found = 1 }' "$WORK/resolved")
  [ -n "$path" ] || { fail "the linked library $lib is not on this machine"; continue; }
  owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null || dpkg -S "$path" 2>/dev/null) \
    || { fail "no package holds $path"; continue; }
  needs+=("${owner%%:*}")
done < <(objdump -p "$WORK/root/usr/bin/tabel" | awk '$1 == "NEEDED" { print $2 }')
for p in "${needs[@]}"; do
  grep -qx "$p" "$WORK/depends" || fail "the package does not declare $p"
done
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6printsupport6 libodbc2 libxlsxwriter4; do
  grep -qx "$p" "$WORK/depends" || fail "the package does not declare $p"
done

# Every linked library is found.
if grep 'not found' "$WORK/resolved"; then
  fail "the unpacked program lacks the libraries above"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "the package holds and declares what the program needs"
