# The Debian package: built with CPack, it holds the program, its support files with their sources,
# the data compiler, manual pages, copyright and changelog, the desktop entry, the icon, the AppStream
# metainfo and the speech module under /usr; unpacked into a scratch root, the program starts from
# another folder and finds its support files and its speech module, and the data compiler rebuilds
# the shipped files from the shipped sources byte for byte. The package passes lintian without an
# error or a warning, and the desktop entry and the metainfo their validators, where those are
# installed.
#   package.sh BUILD-FOLDER
source "$(dirname "$0")/lib.sh" "$1"

(cd "$build" && cpack -G DEB -B "$work/pkg") >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  fail "cpack failed"
}
deb=$(ls "$work"/pkg/dorva2_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no dorva2_*.deb was built"

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/dorva2 ./usr/share/dorva2/DORVA_Support/config.sco ./usr/share/dorva2/DORVA_Support/dorva.cfg \
    ./usr/share/applications/org.dorva2.DORVA2.desktop ./usr/share/icons/hicolor/scalable/apps/dorva2.svg \
    ./usr/share/metainfo/org.dorva2.DORVA2.metainfo.xml ./usr/bin/dorva-datac \
    ./usr/share/dorva2/sources/config.toml ./usr/share/dorva2/sources/commands.toml \
    ./usr/share/dorva2/sources/nationalities/German.toml ./usr/share/man/man1/dorva2.1.gz \
    ./usr/share/man/man1/dorva-datac.1.gz ./usr/share/doc/dorva2/copyright ./usr/share/doc/dorva2/changelog.gz; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
module=$(grep -E '^\./usr/lib/(.*/)?dorva2/dorva-speech\.so$' <<<"$contents") || fail "the package lacks the speech module"
! grep -q 'tests\|bench' <<<"$contents" || fail "the package holds files that are no part of the program"
depends=$(dpkg-deb --field "$deb" Depends)
for dependency in libqt6widgets6 qt6-qpa-plugins libespeak-ng1 libpocketsphinx3 pocketsphinx-en-us espeak-ng-data; do
  grep -q "$dependency" <<<"$depends" || fail "the package does not depend on $dependency ($depends)"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/org.dorva2.DORVA2.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.dorva2.DORVA2.metainfo.xml" || fail "metainfo"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || {
    cat "$work/lintian.log" >&2
    fail "lintian finds errors or warnings"
  }
fi

# A player's rebuild of the tables, as the README tells it, gives the files the package ships.
"$root/usr/bin/dorva-datac" build "$root/usr/share/dorva2/sources" "$work/rebuilt" || fail "dorva-datac build"
for file in "$root"/usr/share/dorva2/DORVA_Support/*; do
  cmp -s "$file" "$work/rebuilt/$(basename "$file")" || fail "the rebuilt $(basename "$file") differs"
done

run_copy "$root/usr/bin/dorva2" "$root/${module#./}" unpacked
echo "package: ok"
