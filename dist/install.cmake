# Installation: the game behind a launcher on the path, the tool, the data, and the desktop integration.
#
#   bin/globbet                          the launcher: runs the game in the player's folder
#                                        $XDG_DATA_HOME/globbet, linking the data into it
#   bin/globbet-tool
#   libexec/globbet/globbet              the game itself (it reads clp/ and wav/ in its current folder)
#   share/globbet/clp, share/globbet/wav the pictures and sounds
#   share/applications/ID.desktop        the menu entry
#   share/icons/hicolor/NxN/apps/ID.png  the icons (and scalable/apps/ID.svg)
#   share/metainfo/ID.metainfo.xml       the software centres' entry
#   share/man/man6/globbet.6, share/man/man1/globbet-tool.1
#
# Every path is relative to the prefix, so `cmake --install BUILD --prefix DIR` puts a working game
# anywhere: the launcher finds the game and the data relative to its own folder.
include(GNUInstallDirs)

set(GLOBBET_APP_ID example.globbet.Globbet)
set(GLOBBET_GAME_INSTALL_DIR ${CMAKE_INSTALL_LIBEXECDIR}/globbet)
set(GLOBBET_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/globbet)
set(GLOBBET_DIST_DIR ${CMAKE_BINARY_DIR}/dist)

install(TARGETS globbet RUNTIME DESTINATION ${GLOBBET_GAME_INSTALL_DIR})
install(TARGETS globbet-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# ---- the launcher ----------------------------------------------------------------------------------------
# The way from the launcher's folder to an installed path: relative when both are relative to the
# prefix (the installation can then move), else absolute.
function(globbet_path_from_bindir out target)
  if(IS_ABSOLUTE "${target}")
    set(path "${target}")
  elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(path "${CMAKE_INSTALL_PREFIX}/${target}")
  else()
    file(RELATIVE_PATH path "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${target}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
globbet_path_from_bindir(GLOBBET_LAUNCHER_GAME ${GLOBBET_GAME_INSTALL_DIR}/globbet)
globbet_path_from_bindir(GLOBBET_LAUNCHER_DATA ${GLOBBET_DATA_INSTALL_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/globbet.in ${GLOBBET_DIST_DIR}/globbet @ONLY)
install(PROGRAMS ${GLOBBET_DIST_DIR}/globbet DESTINATION ${CMAKE_INSTALL_BINDIR})

# ---- data and icons (drawn by the asset generator) ---------------------------------------------------
if(TARGET globbet_data)
  install(DIRECTORY ${GLOBBET_DATA_DIR}/clp ${GLOBBET_DATA_DIR}/wav DESTINATION ${GLOBBET_DATA_INSTALL_DIR})
  foreach(size ${GLOBBET_ICON_SIZES})
    install(FILES ${GLOBBET_DATA_DIR}/icons/globbet-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${GLOBBET_APP_ID}.png)
  endforeach()
  install(FILES ${GLOBBET_DATA_DIR}/icons/globbet.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${GLOBBET_APP_ID}.svg)
endif()

# ---- software centres ------------------------------------------------------------------------------------
configure_file(${CMAKE_CURRENT_LIST_DIR}/globbet.metainfo.xml.in
               ${GLOBBET_DIST_DIR}/${GLOBBET_APP_ID}.metainfo.xml @ONLY)
install(FILES ${GLOBBET_DIST_DIR}/${GLOBBET_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# ---- the menu entry and the manual pages ----------------------------------------------------------------
# They name installed paths, so they are written at install time for the prefix installed to.
install(CODE "
  set(GLOBBET_DIST_SOURCE [[${CMAKE_CURRENT_LIST_DIR}]])
  set(GLOBBET_DIST_DIR [[${GLOBBET_DIST_DIR}]])
  set(GLOBBET_APP_ID [[${GLOBBET_APP_ID}]])
  set(PROJECT_VERSION [[${PROJECT_VERSION}]])
  set(GLOBBET_BINDIR [[${CMAKE_INSTALL_BINDIR}]])
  set(GLOBBET_DATA_INSTALL_DIR [[${GLOBBET_DATA_INSTALL_DIR}]])
  set(GLOBBET_APPLICATIONS_DIR [[${CMAKE_INSTALL_DATADIR}/applications]])
  set(GLOBBET_MANDIR [[${CMAKE_INSTALL_MANDIR}]])")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_time.cmake)

# ---- the test of all this ----------------------------------------------------------------------------
# Installs into a scratch prefix, checks the layout and the files, and starts the installed game through
# its launcher on SDL's dummy drivers.
add_test(NAME install COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check_install.sh ${CMAKE_BINARY_DIR}
                                 ${GLOBBET_APP_ID} ${PROJECT_VERSION})
set_tests_properties(install PROPERTIES LABELS install TIMEOUT 300)
