#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the tree as a desktop
# and a package manager see it. Arguments: the build folder, the source folder.
set -euo pipefail
build=$1
source=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
id=no.tarnelo.Tarnelo

for f in bin/tarnelo bin/tarnelo-cli libexec/tarnelo/tarnelo-splash \
         share/applications/$id.desktop share/mime/packages/$id.xml \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/man/man1/tarnelo.1 share/man/man1/tarnelo-cli.1 share/doc/tarnelo/help/emne01.html; do
  [ -f "$usr/$f" ] || fail "missing $f"
done
for f in bin/tarnelo bin/tarnelo-cli libexec/tarnelo/tarnelo-splash; do
  [ -x "$usr/$f" ] || fail "$f is not executable"
done
# Nothing but the program's own files: no headers, libraries or tests.
extra=$(cd "$usr" && find . -type f | grep -vE '^\./(bin|libexec/tarnelo|share/(applications|mime/packages|metainfo|icons/hicolor|man/man1|doc/tarnelo))/' || true)
[ -z "$extra" ] || fail "unexpected files: $extra"

desktop-file-validate "$usr/share/applications/$id.desktop" | grep -v '^.*: hint: ' || true
desktop-file-validate "$usr/share/applications/$id.desktop" >/dev/null 2>&1 \
  || fail "desktop-file-validate"
grep -qx 'Exec=tarnelo %F' "$usr/share/applications/$id.desktop" || fail "Exec line"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"; fail "appstream"; }
xmllint --noout "$usr/share/mime/packages/$id.xml" || fail "MIME package is not XML"

# The file types, by name in any case and by content for a renamed file.
update-mime-database "$usr/share/mime" >/dev/null 2>&1
mime() { XDG_DATA_HOME=$root/nohome XDG_DATA_DIRS=$usr/share:/usr/share mimetype -b "$1"; }
samples=$root/samples
mkdir -p "$samples"
printf '/tmp/a1.QVW\r\n' > "$samples/klasse.QVP"
printf '/tmp/a1.QVW\r\n' > "$samples/klasse.qvp"
header() {  # type byte
  printf '\x0bTarnelo fil'; head -c 69 /dev/zero; printf "\\x0$1\\x00\\x00\\x01\\x00\\x00\\x00"
}
{ header 0; head -c 88 /dev/zero; } > "$samples/vindu.dat"
{ header 1; head -c 48 /dev/zero; } > "$samples/graf.dat"
cp "$samples/vindu.dat" "$samples/VINDU.QVW"
[ "$(mime "$samples/klasse.QVP")" = application/x-tarnelo-project ] || fail "project by name"
[ "$(mime "$samples/klasse.qvp")" = application/x-tarnelo-project ] || fail "project, lower case"
[ "$(mime "$samples/VINDU.QVW")" = application/x-tarnelo-window ] || fail "window by name"
[ "$(mime "$samples/vindu.dat")" = application/x-tarnelo-window ] || fail "renamed window file"
[ "$(mime "$samples/graf.dat")" = application/x-tarnelo-graph ] || fail "renamed single graph"

# The installed programs run, and the program finds its companion where its
# build places it for an installed tree.
"$usr/bin/tarnelo-cli" --help >/dev/null || fail "tarnelo-cli --help"
[ "$("$usr/bin/tarnelo-cli" eval 'x^2' 3)" = 9 ] || fail "tarnelo-cli eval"
"$usr/bin/tarnelo" --version | grep -q '^Tarnelo ' || fail "tarnelo --version"
echo "install tree ok"
