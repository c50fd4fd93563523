# Installation: the game behind a launcher on the path, the tool, the data, and the desktop integration,
# in two layouts of the same files, each relative to its prefix:
#
#   what                      `cmake --install` (any prefix)     the Debian package (/usr, "debian")
#   the launcher (1)          bin/globbet                        games/globbet
#   the tool                  bin/globbet-tool                   games/globbet-tool
#   the game itself (2)       libexec/globbet/globbet            lib/games/globbet/globbet
#   pictures and sounds       share/globbet/{clp,wav}            share/games/globbet/{clp,wav}
#   the game's own pages (3)  share/globbet/pages                share/games/globbet/pages
#   the menu entry            share/applications/ID.desktop      (the same)
#   the icons                 share/icons/hicolor/*/apps/ID.*    (the same)
#   software centres' entry   share/metainfo/ID.metainfo.xml     (the same)
#   manual pages              share/man/man6/globbet.6,          (the same, compressed)
#                             share/man/man1/globbet-tool.1
#   copyright, changelog      -                                  share/doc/globbet/
#
#   (1) runs the game in the player's folder $XDG_DATA_HOME/globbet, linking the data into it
#   (2) it reads clp/ and wav/ in its current folder, and opens pages/ from there in the browser
#   (3) the about page and the results page, until the game has a website
#
# Every path is relative to the prefix, so `cmake --install BUILD --prefix DIR` puts a working game
# anywhere: the launcher finds the game and the data relative to its own folder, the tool its data, the
# game its window icon. The package is made by CPack from the "debian" component (see the end).
include(GNUInstallDirs)

set(GLOBBET_APP_ID example.globbet.Globbet)
set(GLOBBET_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(GLOBBET_ICON_WINDOW_SIZE 64)  # the icon the window carries

# ---- the layouts -----------------------------------------------------------------------------------------
# Per layout: the launcher's and the tool's folder, the game's, its data's, the shared data root (menu
# entry, icons, metainfo), the manual pages', the documentation's, and the install() words that pick it.
set(GLOBBET_LAYOUTS prefix debian)
set(GLOBBET_prefix_BINDIR ${CMAKE_INSTALL_BINDIR})
set(GLOBBET_prefix_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/globbet)
set(GLOBBET_prefix_DATADIR ${CMAKE_INSTALL_DATADIR}/globbet)
set(GLOBBET_prefix_SHAREDIR ${CMAKE_INSTALL_DATADIR})
set(GLOBBET_prefix_MANDIR ${CMAKE_INSTALL_MANDIR})
set(GLOBBET_prefix_DOCDIR "")
set(GLOBBET_prefix_WORDS "")
# Debian's policy: games in /usr/games, their private programs under /usr/lib/games, their data under
# /usr/share/games. Installed only when asked for by component (CPack, below).
set(GLOBBET_debian_BINDIR games)
set(GLOBBET_debian_GAMEDIR lib/games/globbet)
set(GLOBBET_debian_DATADIR share/games/globbet)
set(GLOBBET_debian_SHAREDIR share)
set(GLOBBET_debian_MANDIR share/man)
set(GLOBBET_debian_DOCDIR share/doc/globbet)
set(GLOBBET_debian_WORDS COMPONENT debian EXCLUDE_FROM_ALL)

# The way from folder `from` to `target` (both relative to the prefix, or absolute): relative when both
# are relative (the installation can then move), else absolute.
function(globbet_path_between out from target)
  if(IS_ABSOLUTE "${target}")
    set(path "${target}")
  elseif(IS_ABSOLUTE "${from}")
    set(path "${CMAKE_INSTALL_PREFIX}/${target}")
  else()
    file(RELATIVE_PATH path "/prefix/${from}" "/prefix/${target}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# ---- the game's own pages ------------------------------------------------------------------------------
# Written into the build's data folder, where the game runs from the build tree, and installed from
# there like the pictures: the about page carries the build's version. Configured again whenever a
# source changes or the version moves.
set(GLOBBET_PAGES_DIR ${GLOBBET_DATA_DIR}/pages)
file(REMOVE_RECURSE ${GLOBBET_PAGES_DIR})  # no page left behind by a removed source
file(GLOB page_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pages/*)
foreach(source ${page_sources})
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  configure_file(${source} ${GLOBBET_PAGES_DIR}/${name} @ONLY)
endforeach()

# ---- where the programs look for their files ---------------------------------------------------------
# Each program searches its files relative to its own folder: in every layout's installation, then in
# the build tree. A list of such paths, ':'-separated, is compiled into the one file that searches.
set(tool_data "")
set(window_icon "")
foreach(layout ${GLOBBET_LAYOUTS})
  globbet_path_between(path ${GLOBBET_${layout}_BINDIR} ${GLOBBET_${layout}_DATADIR})
  list(APPEND tool_data ${path})
  globbet_path_between(path ${GLOBBET_${layout}_GAMEDIR}
    ${GLOBBET_${layout}_SHAREDIR}/icons/hicolor/${GLOBBET_ICON_WINDOW_SIZE}x${GLOBBET_ICON_WINDOW_SIZE}/apps/${GLOBBET_APP_ID}.png)
  list(APPEND window_icon ${path})
endforeach()
file(RELATIVE_PATH path ${CMAKE_BINARY_DIR} ${GLOBBET_DATA_DIR})
list(APPEND tool_data ${path})
list(APPEND window_icon ${path}/icons/globbet-${GLOBBET_ICON_WINDOW_SIZE}.png)
list(JOIN tool_data ":" tool_data)
list(JOIN window_icon ":" window_icon)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tools/globbet-tool/headless_game.cpp PROPERTIES
  COMPILE_DEFINITIONS GLOBBET_DATA_SEARCH="${tool_data}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/engine/platform_sdl_identity.cpp PROPERTIES
  COMPILE_DEFINITIONS "GLOBBET_APP_ID=\"${GLOBBET_APP_ID}\";GLOBBET_ICON_SEARCH=\"${window_icon}\"")

# ---- the install rules, once per layout -------------------------------------------------------------
function(globbet_install_layout layout)
  set(bindir ${GLOBBET_${layout}_BINDIR})
  set(gamedir ${GLOBBET_${layout}_GAMEDIR})
  set(datadir ${GLOBBET_${layout}_DATADIR})
  set(sharedir ${GLOBBET_${layout}_SHAREDIR})
  set(words ${GLOBBET_${layout}_WORDS})
  set(dist ${GLOBBET_DIST_DIR}/${layout})

  install(TARGETS globbet RUNTIME DESTINATION ${gamedir} ${words})
  install(TARGETS globbet-tool RUNTIME DESTINATION ${bindir} ${words})

  # The launcher, with the ways from its folder to the game and the data.
  globbet_path_between(GLOBBET_LAUNCHER_GAME ${bindir} ${gamedir}/globbet)
  globbet_path_between(GLOBBET_LAUNCHER_DATA ${bindir} ${datadir})
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/globbet.in ${dist}/globbet @ONLY)
  install(PROGRAMS ${dist}/globbet DESTINATION ${bindir} ${words})

  # The game's own pages, beside the pictures and sounds.
  install(DIRECTORY ${GLOBBET_PAGES_DIR} DESTINATION ${datadir} ${words})
  # Data and icons (drawn by the asset generator).
  if(TARGET globbet_data)
    install(DIRECTORY ${GLOBBET_DATA_DIR}/clp ${GLOBBET_DATA_DIR}/wav DESTINATION ${datadir} ${words})
    foreach(size ${GLOBBET_ICON_SIZES})
      install(FILES ${GLOBBET_DATA_DIR}/icons/globbet-${size}.png
              DESTINATION ${sharedir}/icons/hicolor/${size}x${size}/apps RENAME ${GLOBBET_APP_ID}.png ${words})
    endforeach()
    install(FILES ${GLOBBET_DATA_DIR}/icons/globbet.svg
            DESTINATION ${sharedir}/icons/hicolor/scalable/apps RENAME ${GLOBBET_APP_ID}.svg ${words})
  endif()

  # Software centres.
  install(FILES ${GLOBBET_DIST_DIR}/${GLOBBET_APP_ID}.metainfo.xml DESTINATION ${sharedir}/metainfo ${words})

  # The menu entry, the manual pages and the package's documentation name installed paths, so they are
  # written at install time for the prefix installed to.
  install(CODE "
    set(GLOBBET_DIST_SOURCE [[${CMAKE_CURRENT_FUNCTION_LIST_DIR}]])
    set(GLOBBET_DIST_DIR [[${dist}]])
    set(GLOBBET_APP_ID [[${GLOBBET_APP_ID}]])
    set(PROJECT_VERSION [[${PROJECT_VERSION}]])
    set(GLOBBET_VERSION [[${GLOBBET_VERSION}]])
    set(GLOBBET_VERSION_DATE [[${GLOBBET_VERSION_DATE}]])
    set(GLOBBET_MAINTAINER [[${GLOBBET_MAINTAINER}]])
    set(GLOBBET_BINDIR [[${bindir}]])
    set(GLOBBET_DATA_INSTALL_DIR [[${datadir}]])
    set(GLOBBET_APPLICATIONS_DIR [[${sharedir}/applications]])
    set(GLOBBET_MANDIR [[${GLOBBET_${layout}_MANDIR}]])
    set(GLOBBET_DOCDIR [[${GLOBBET_${layout}_DOCDIR}]])" ${words})
  install(SCRIPT ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/install_time.cmake ${words})
endfunction()

set(GLOBBET_MAINTAINER "The Globbet developers <maintainers@globbet.example>" CACHE STRING
    "The package's maintainer, 'Name <address>'")
configure_file(${CMAKE_CURRENT_LIST_DIR}/globbet.metainfo.xml.in
               ${GLOBBET_DIST_DIR}/${GLOBBET_APP_ID}.metainfo.xml @ONLY)
foreach(layout ${GLOBBET_LAYOUTS})
  globbet_install_layout(${layout})
endforeach()

# ---- the Debian package ------------------------------------------------------------------------------
# CPack's DEB generator, because it packages exactly what the install rules above install (the
# "debian" component), so the package and `cmake --install` cannot drift apart, and it needs nothing
# beyond CMake and dpkg's own tools: `cmake --build BUILD --target package` writes
# BUILD/globbet_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME globbet)
set(CPACK_PACKAGE_VERSION ${GLOBBET_VERSION})
set(CPACK_PACKAGE_VENDOR "The Globbet developers")
set(CPACK_PACKAGE_CONTACT "${GLOBBET_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ball-shooting puzzle game: aim, match three and clear the board")
set(CPACK_PACKAGE_DESCRIPTION "A board of balls in six colours hangs from the top of the field. Aim with
the mouse and click: the ball at the launcher flies toward the point, bounces
off the side walls and sticks where it touches a ball or the ceiling. Three or
more touching balls of one colour burst, and every ball that no longer hangs
from the top falls. When a colour leaves the board, new rows push in.

Strategy mode pushes new rows after shots that removed nothing, arcade mode
when the player takes too long. Three levels, a top ten for every level and
mode, a self-playing demo, a replay of the last game, and an interrupted game
resumed at the next start.")
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Globbet;debian;/")
# Staged through DESTDIR, so that the install rules see the prefix /usr and name it in the menu entry.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://globbet.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the libraries the programs link, from dpkg-shlibdeps
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)  # the game's font, opened through fontconfig
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)

# ---- the tests of all this ---------------------------------------------------------------------------
# `install` installs into a scratch prefix, checks the layout and the files, and starts the installed
# game through its launcher on SDL's dummy drivers; `package` makes the package and inspects it. They
# take turns: both write the install-time files of the build, and CPack brings the build up to date first.
add_test(NAME install COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check_install.sh ${CMAKE_BINARY_DIR}
                                 ${GLOBBET_APP_ID} ${GLOBBET_VERSION})
set_tests_properties(install PROPERTIES LABELS install TIMEOUT 300 RESOURCE_LOCK install_rules)
add_test(NAME package COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check_package.sh ${CMAKE_BINARY_DIR}
                                 ${GLOBBET_VERSION} ${GLOBBET_APP_ID})
set_tests_properties(package PROPERTIES LABELS package TIMEOUT 300 SKIP_RETURN_CODE 77
                                         RESOURCE_LOCK install_rules)
