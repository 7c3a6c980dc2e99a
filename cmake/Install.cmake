# Installing the game the way Debian lays out games, and packaging it as a .deb.
#
#   <prefix>/games/zarnhold                         the launcher, on the PATH
#   <prefix>/lib/games/zarnhold/zarnhold            the program
#   <prefix>/share/games/zarnhold/                  its shaders and External/Models/
#   <prefix>/share/applications/zarnhold.desktop    the menu entry
#   <prefix>/share/icons/hicolor/128x128/apps/zarnhold.png
#
# The game opens every file relative to its working directory, so the launcher changes to
# the data folder before it starts the program. It finds both from its own place, never
# from the configured prefix: `cmake --install --prefix` anywhere gives a working game.

set(ZARNHOLD_LAUNCHER_DIR games)
set(ZARNHOLD_PROGRAM_DIR lib/games/zarnhold)
set(ZARNHOLD_DATA_DIR share/games/zarnhold)
set(ZARNHOLD_ICON_SIZE 128x128)

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

# --- What is installed ----------------------------------------------------------------
install(TARGETS zarnhold RUNTIME DESTINATION ${ZARNHOLD_PROGRAM_DIR})
install(FILES ${SHADER_FILES} DESTINATION ${ZARNHOLD_DATA_DIR})
# The build's marker of a finished generation is no part of the game.
install(DIRECTORY ${GAME_DIR}/External DESTINATION ${ZARNHOLD_DATA_DIR}
  PATTERN .stamp EXCLUDE)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/zarnhold DESTINATION ${ZARNHOLD_LAUNCHER_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zarnhold.desktop DESTINATION share/applications)
install(FILES ${ZARNHOLD_ICON} DESTINATION share/icons/hicolor/${ZARNHOLD_ICON_SIZE}/apps)

# --- The Debian package (cpack -G DEB, or the package target) ------------------------
set(ZARNHOLD_MAINTAINER "Zarnhold maintainers <maintainers@users.noreply.c-seed-a2ec4bc8.example>"
  CACHE STRING "Maintainer named in the .deb")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarnhold)
set(CPACK_PACKAGE_VERSION 1.0.0)
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
