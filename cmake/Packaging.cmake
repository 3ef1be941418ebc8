# make package: a Debian package of the program, its support files and their readable sources, the
# data compiler, the manual pages, desktop entry, icon and AppStream metainfo under /usr.
# dpkg-shlibdeps declares the shared libraries the programs link; the plugins and data the program
# loads at run time are declared by hand.

# The maintainer is whoever builds the package: DEBFULLNAME and DEBEMAIL as Debian's own tools read
# them, else the author of the checkout's latest commit. A package must name a person who can be
# written to, not a made-up address.
set(DORVA_PACKAGE_MAINTAINER "" CACHE STRING "Maintainer of the Debian package: Name <address>")
if(NOT DORVA_PACKAGE_MAINTAINER)
  if(DEFINED ENV{DEBEMAIL} AND DEFINED ENV{DEBFULLNAME})
    set(DORVA_PACKAGE_MAINTAINER "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
  else()
    execute_process(COMMAND git log -1 --format=%an\ <%ae>
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE DORVA_PACKAGE_MAINTAINER OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()

# Manual pages and the changelog, compressed as Debian wants them: gzip -9 without a time stamp, so
# that two builds of one source give the same package.
set(package_docs ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${package_docs})
configure_file(packaging/changelog.in ${package_docs}/changelog @ONLY)
set(compressed "")
foreach(page dorva2.1 dorva-datac.1 changelog)
  if(page STREQUAL "changelog")
    set(source ${package_docs}/changelog)
  else()
    configure_file(packaging/${page} ${package_docs}/${page} @ONLY)
    set(source ${package_docs}/${page})
  endif()
  add_custom_command(OUTPUT ${package_docs}/${page}.gz
                     COMMAND gzip -9nc ${source} > ${package_docs}/${page}.gz
                     DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${package_docs}/${page}.gz)
endforeach()
add_custom_target(dorva_package_docs ALL DEPENDS ${compressed})
install(FILES ${package_docs}/dorva2.1.gz ${package_docs}/dorva-datac.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${package_docs}/changelog.gz packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The data compiler and the sources of the shipped data, so that a player can change a table and
# rebuild the support files without a checkout of the source (README, dorva-datac(1)).
install(TARGETS dorva-datac RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES DORVA_Support/config.toml DORVA_Support/commands.toml DORVA_Support/README.md
        DESTINATION ${DORVA_INSTALL_DATADIR}/sources)
install(DIRECTORY DORVA_Support/nationalities DESTINATION ${DORVA_INSTALL_DATADIR}/sources
        FILES_MATCHING PATTERN "*.toml")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorva2)
set(CPACK_PACKAGE_VENDOR "DORVA II")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game assistant for solitaire play of a tactical wargame")
# Lines of at most 80 characters: a package manager shows them as they stand.
# CPack puts the summary above them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "DORVA II plays the hidden enemy in solitaire games of a hex-based World War II
tactical board wargame: it rolls on the solitaire system's rule tables, shows
which hidden units a suspect counter turns out to be, speaks its results and
obeys spoken commands.

The readable sources of its tables and the data compiler dorva-datac come with
it, so that a player can change a table and rebuild the data files.
")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DORVA_PACKAGE_MAINTAINER}")
# It plays no game of its own: it serves one played on a table, so it stands with the other programs
# rather than among the games, whose programs live in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system's platform and picture plugins, and the speech engines' voices and model.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, espeak-ng-data, pocketsphinx-en-us")
include(CPack)
