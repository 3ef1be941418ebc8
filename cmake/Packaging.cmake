# make package: a Debian package of the program, its support files, desktop entry, icon and AppStream
# metainfo under /usr. dpkg-shlibdeps declares the shared libraries the program links; the plugins and
# data the program loads at run time are declared by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorva2)
set(CPACK_PACKAGE_VENDOR "DORVA II")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game assistant for solitaire play of a tactical wargame")
set(CPACK_PACKAGE_DESCRIPTION "DORVA II plays the hidden enemy in solitaire games of a hex-based World \
War II tactical board wargame: it rolls on the solitaire system's rule tables, shows which hidden units \
a suspect counter turns out to be, speaks its results and obeys spoken commands.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "DORVA II developers <dorva2@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system's platform and picture plugins, and the speech engines' voices and model.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, espeak-ng-data, pocketsphinx-en-us")
include(CPack)
