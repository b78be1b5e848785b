#!/usr/bin/env bash
# Builds the Debian package from a finished build folder, unpacks it into an
# empty root and runs the installed programs from there, through the links in
# usr/bin, as a user who installed the package would.
#
# package_test.sh BUILD_DIR SOURCE_DIR VERSION [CPACK]
set -euo pipefail
build=$1
source=$2
version=$3
cpack=${4:-cpack}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
debs=("$work"/cpack/sondrel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: cpack made no single sondrel_*.deb" >&2; exit 1; }
deb=${debs[0]}

lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian reports errors"; }

# The package's own version, the changelog and the AppStream release name
# one release: a version bump must reach all three.
package_version=$(dpkg-deb -f "$deb" Version)
[[ $package_version == "$version"-* ]] || fail "package version $package_version is not of $version"
changelog_head=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/sondrel/changelog.Debian.gz | gzip -dc | sed -n 1p)
[[ $changelog_head == "sondrel ($package_version) "* ]] || fail "changelog starts with: $changelog_head"

# The libraries the programs link come from dpkg-shlibdeps; the plug-ins and
# the engine's helper process are loaded at run time and must be named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6webenginewidgets6 libqt6webenginecore6-bin libqt6svg6; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
app="$root/usr/lib/sondrel"
for program in sondrel sondrel-convert; do
  [ -x "$app/$program" ] || fail "$program is not installed in usr/lib/sondrel"
  [ "$(readlink "$root/usr/bin/$program")" = "../lib/sondrel/$program" ] ||
    fail "usr/bin/$program is not a relative link into usr/lib/sondrel"
done
cmp -s "$source/sondrel.htm" "$app/sondrel.htm" || fail "the help page is not installed beside the programs"
diff -r "$source/templates" "$app/templates" >/dev/null || fail "the templates installed differ from templates/"
for file in usr/share/icons/hicolor/scalable/apps/sondrel.svg \
            usr/share/man/man1/sondrel.1.gz usr/share/man/man1/sondrel-convert.1.gz \
            usr/share/doc/sondrel/copyright \
            usr/share/doc/sondrel/project-json.md usr/share/doc/sondrel/project-json.schema.json; do
  [ -s "$root/$file" ] || fail "$file is missing"
done
desktop-file-validate "$root/usr/share/applications/sondrel.desktop" || fail "desktop entry"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/io.github.sondrel.Sondrel.metainfo.xml" ||
  fail "the AppStream metadata has no release $version"
# Also finds the desktop entry the metadata launches.
appstreamcli validate-tree --no-net "$root" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "AppStream metadata"; }

cd "$work"
output=$("$root/usr/bin/sondrel-convert" --version) || fail "sondrel-convert --version exits with $?"
[[ $output == *"$version"* ]] || fail "sondrel-convert --version prints: $output"

# The default template is found beside the real program only if the link in
# usr/bin was followed: nothing else names it.
if "$root/usr/bin/sondrel-convert" "$source/examples/demo.rpp" "$work/demo.htm"; then
  grep -q "Overheads" "$work/demo.htm" || fail "the document lacks the track Overheads of demo.rpp"
else
  fail "converting demo.rpp with the installed default template"
fi

[ "$failures" -eq 0 ]
