# cpack -G DEB: the same install as cmake --install, laid under /usr as the Debian package mojara,
# with the files a Debian package carries besides the game (copyright, changelog, man page).
# Its run-time libraries are found by dpkg-shlibdeps; what the game opens by path is named here.
include(GNUInstallDirs)

# The package is native (no Debian revision), so its changelog is the project's own and its top
# entry must be this version: a release that forgets it is stopped here, not by lintian later.
set(debian_dir ${CMAKE_CURRENT_SOURCE_DIR}/debian)
file(STRINGS ${debian_dir}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^mojara \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog starts with '${changelog_top}', "
    "not with an entry for mojara ${PROJECT_VERSION}")
endif()

# Compressed at build time without names or timestamps, as Debian wants them (gzip -9n).
set(doc_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
configure_file(${debian_dir}/mojara.6.in ${doc_dir}/mojara.6 @ONLY)
configure_file(${debian_dir}/changelog ${doc_dir}/changelog COPYONLY)
add_custom_command(OUTPUT ${doc_dir}/mojara.6.gz ${doc_dir}/changelog.gz
  COMMAND gzip -9nkf mojara.6 changelog
  WORKING_DIRECTORY ${doc_dir}
  DEPENDS ${doc_dir}/mojara.6 ${doc_dir}/changelog
  VERBATIM)
add_custom_target(package_docs ALL DEPENDS ${doc_dir}/mojara.6.gz ${doc_dir}/changelog.gz)

install(FILES ${debian_dir}/copyright ${doc_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${doc_dir}/mojara.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(MOJARA_PACKAGE_MAINTAINER
  "Mojara Taisen maintainers <maintainers@users.noreply.c-seed-f687f0a5.example>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mojara)
set(CPACK_PACKAGE_VENDOR "The Mojara Taisen developers")
set(CPACK_PACKAGE_CONTACT ${MOJARA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MOJARA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "small, very silly fighting game from 1998
Pick one of eight fighters, from a sturdy lad to a clay figure and a nearly
invisible dark knight, set the battle speed and beat the computer's fighters
one after another with the keyboard: life and power gauges, a 99 clock, hit
combos and special moves that cost power. Lose and a ten-second countdown
offers a continue; win eight fights and the staff roll plays.

The package also holds mojara-sim, a headless runner that plays the same
fights on a virtual clock and prints them as JSON traces.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened by path, so dpkg-shlibdeps cannot see them: the soundfont the music is played with and
# the two Japanese fonts every window's text is set in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont, fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
