# The Debian package: `cpack -G DEB` in a build folder gives kelmarch_<version>-1_<arch>.deb.
# `make deb` configures that folder as Debian lays out a game (/usr/games, the saves in the
# player's data folder). dpkg-shlibdeps (dpkg-dev) works out the libraries it depends on.
set(CPACK_PACKAGE_NAME kelmarch)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text role-playing game for the console")
# Lines of at most 80 characters, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Make a warrior or a mage, wake in a village, walk eight wilderness areas
fighting round by round, train, shop, buy rumours from the town crier, slay
the dragon and play on. Everything is typed; the game saves after every action.")
set(CPACK_PACKAGE_CONTACT "Kelmarch maintainers <maintainers@kelmarch.invalid>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# The changelog's latest entry names the version being packaged.
set(debianVersion ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
file(STRINGS doc/debian/changelog latestEntry LIMIT_COUNT 1)
string(FIND "${latestEntry}" "kelmarch (${debianVersion}) " entryAt)
if(NOT entryAt EQUAL 0)
  message(FATAL_ERROR "doc/debian/changelog: the latest entry is not for ${debianVersion}")
endif()

# The machine-readable copyright file takes the holder and the terms from LICENSE: the terms
# indented by a space, an empty line as " .".
file(READ LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" ignored "${licence}")
set(copyrightHolder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*\n\n(Permission is hereby)" "\\1" licenceTerms "${licence}")
string(STRIP "${licenceTerms}" licenceTerms)
string(REPLACE "\n\n" "\n.\n" licenceTerms "${licenceTerms}")
string(REPLACE "\n" "\n " licenceTerms " ${licenceTerms}")
configure_file(doc/debian/copyright.in debian/copyright @ONLY)
configure_file(doc/debian/changelog debian/changelog.Debian COPYONLY)

# Debian compresses a package's changelog as its manual pages, without a name or time.
add_custom_command(OUTPUT debian/changelog.Debian.gz
                   COMMAND gzip -9nkf debian/changelog.Debian
                   DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS debian/changelog.Debian.gz)

# The copyright file, the changelog and lintian's overrides go into the package only, not into
# `cmake --install`.
install(FILES ${PROJECT_BINARY_DIR}/debian/copyright
              ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES doc/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kelmarch COMPONENT debian EXCLUDE_FROM_ALL)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
include(CPack)
