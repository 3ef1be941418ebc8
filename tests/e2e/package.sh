# The Debian package: built with CPack, it holds the program, its support files, the desktop entry, the
# icon, the AppStream metainfo and the speech module under /usr; unpacked into a scratch root, the
# program starts from another folder and finds its support files and its speech module. The desktop entry and the metainfo pass their validators
# where those are installed.
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
    ./usr/share/metainfo/org.dorva2.DORVA2.metainfo.xml; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
module=$(grep -E '^\./usr/lib/(.*/)?dorva2/dorva-speech\.so$' <<<"$contents") || fail "the package lacks the speech module"
! grep -q 'tests\|bench\|dorva-datac' <<<"$contents" || fail "the package holds files that are no part of the program"
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

run_copy "$root/usr/bin/dorva2" "$root/${module#./}" unpacked
echo "package: ok"
