# Installing the game the way Debian lays out games, and packaging it as a .deb.
#
#   <prefix>/games/zarnhold                         the launcher, on the PATH
#   <prefix>/lib/games/zarnhold/zarnhold            the program
#   <prefix>/share/games/zarnhold/                  its shaders and External/Models/
#   <prefix>/share/applications/zarnhold.desktop    the menu entry
#   <prefix>/share/metainfo/org.example.zarnhold.metainfo.xml   the software centres' listing
#   <prefix>/share/icons/hicolor/128x128/apps/zarnhold.png
#   <prefix>/share/man/man6/zarnhold.6.gz           the manual page, zarnhold(6)
#   <prefix>/share/doc/zarnhold/copyright           the licence, in Debian's copyright format
#   <prefix>/share/doc/zarnhold/changelog.gz        packaging/changelog
#
# The game opens every file relative to its working directory, so the launcher changes to
# the data folder before it starts the program. It finds both from its own place, never
# from the configured prefix: `cmake --install --prefix` anywhere gives a working game.

set(ZARNHOLD_LAUNCHER_DIR games)
set(ZARNHOLD_PROGRAM_DIR lib/games/zarnhold)
set(ZARNHOLD_DATA_DIR share/games/zarnhold)
set(ZARNHOLD_ICON_SIZE 128x128)
set(ZARNHOLD_DOC_DIR share/doc/zarnhold)
set(ZARNHOLD_MAINTAINER "Zarnhold maintainers <maintainers@users.noreply.c-seed-a2ec4bc8.example>"
  CACHE STRING "Maintainer named in the .deb")

# The package's version is the newest entry's in packaging/changelog, as in any Debian
# package: a release is a new entry there.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_SOURCE_DIR}/LICENSE)
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog ZARNHOLD_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT ZARNHOLD_CHANGELOG_TOP MATCHES "^zarnhold \\(([0-9][^)]*)\\) ")
  message(FATAL_ERROR "packaging/changelog does not start with 'zarnhold (VERSION) ...'")
endif()
set(ZARNHOLD_VERSION ${CMAKE_MATCH_1})

# --- The desktop icon, painted by the asset generator --------------------------------
# Kept out of the game folder: the game never opens it.
set(ZARNHOLD_ICON ${CMAKE_BINARY_DIR}/icons/zarnhold.png)
add_custom_command(OUTPUT ${ZARNHOLD_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
  COMMAND zarnhold_assets --icon ${ZARNHOLD_ICON}
  DEPENDS zarnhold_assets
  COMMENT "Painting the game's icon")
add_custom_target(icon ALL DEPENDS ${ZARNHOLD_ICON})
# Whatever builds the game builds all that the install copies.
add_dependencies(zarnhold icon)

# --- The launcher: the paths from its folder to the program's and the data's ---------
file(RELATIVE_PATH ZARNHOLD_LAUNCHER_TO_DATA
  /prefix/${ZARNHOLD_LAUNCHER_DIR} /prefix/${ZARNHOLD_DATA_DIR})
file(RELATIVE_PATH ZARNHOLD_LAUNCHER_TO_PROGRAM
  /prefix/${ZARNHOLD_LAUNCHER_DIR} /prefix/${ZARNHOLD_PROGRAM_DIR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/zarnhold.in ${CMAKE_BINARY_DIR}/packaging/zarnhold @ONLY)

# --- The manual page, the copyright file and the changelog ----------------------------
# The copyright file takes its holders and the licence's text from LICENSE, so the two
# never differ: every line of the text indented by one space, an empty line as " .".
file(READ ${CMAKE_SOURCE_DIR}/LICENSE ZARNHOLD_LICENSE)
if(NOT ZARNHOLD_LICENSE MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+)$")
  message(FATAL_ERROR "LICENSE has no 'Copyright (c) ...' line followed by the licence")
endif()
set(ZARNHOLD_COPYRIGHT ${CMAKE_MATCH_1})
string(STRIP "${CMAKE_MATCH_2}" ZARNHOLD_LICENSE_TEXT)
string(REPLACE "\n\n" "\n.\n" ZARNHOLD_LICENSE_TEXT "${ZARNHOLD_LICENSE_TEXT}")
string(REPLACE "\n" "\n " ZARNHOLD_LICENSE_TEXT " ${ZARNHOLD_LICENSE_TEXT}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)

# Compressed as Debian wants them: gzip's best, with no name or time stamp in the header
# (-n), so the same sources give the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(ZARNHOLD_MANUAL ${CMAKE_BINARY_DIR}/packaging/zarnhold.6.gz)
set(ZARNHOLD_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
foreach(source zarnhold.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${source}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${source} ${CMAKE_BINARY_DIR}/packaging/${source}
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/packaging/${source}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
    COMMENT "Compressing packaging/${source}")
endforeach()
add_custom_target(package_docs ALL DEPENDS ${ZARNHOLD_MANUAL} ${ZARNHOLD_CHANGELOG})
add_dependencies(zarnhold package_docs)

# --- What is installed ----------------------------------------------------------------
install(TARGETS zarnhold RUNTIME DESTINATION ${ZARNHOLD_PROGRAM_DIR})
install(FILES ${SHADER_FILES} DESTINATION ${ZARNHOLD_DATA_DIR})
# The build's marker of a finished generation is no part of the game.
install(DIRECTORY ${GAME_DIR}/External DESTINATION ${ZARNHOLD_DATA_DIR}
  PATTERN .stamp EXCLUDE)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/zarnhold DESTINATION ${ZARNHOLD_LAUNCHER_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zarnhold.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.example.zarnhold.metainfo.xml DESTINATION share/metainfo)
install(FILES ${ZARNHOLD_ICON} DESTINATION share/icons/hicolor/${ZARNHOLD_ICON_SIZE}/apps)
install(FILES ${ZARNHOLD_MANUAL} DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${ZARNHOLD_CHANGELOG} DESTINATION ${ZARNHOLD_DOC_DIR})

# --- The Debian package (cpack -G DEB, or the package target) ------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarnhold)
set(CPACK_PACKAGE_VERSION ${ZARNHOLD_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT ${ZARNHOLD_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZARNHOLD_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person dungeon game lit by flickering crystals")
# Lines as the control file keeps them: Debian wants them under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
  "Find the spinning goal crystal at the far end of a dungeon lit by ten\n\
flickering light crystals with real-time shadows. Take up the sword, raise\n\
the shield, and cut down the creatures that wake and leap at you on the way.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The runtime libraries (GLFW, GLEW, Bullet, GL, the C++ library) as dpkg-shlibdeps names
# them from the program's own links, so the package follows whatever the build linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
