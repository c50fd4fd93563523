# Run by `cmake --install`: writes the files that name installed paths, with the prefix actually
# installed to (`--prefix` may differ from the configured one), and installs them.
#
# Set before it by the install rules (dist/install.cmake): GLOBBET_DIST_SOURCE (this folder),
# GLOBBET_DIST_DIR (where to write), GLOBBET_APP_ID, PROJECT_VERSION, GLOBBET_VERSION,
# GLOBBET_VERSION_DATE, GLOBBET_MAINTAINER, and the install folders GLOBBET_BINDIR,
# GLOBBET_DATA_INSTALL_DIR, GLOBBET_APPLICATIONS_DIR, GLOBBET_MANDIR (each relative to the prefix or
# absolute) and GLOBBET_DOCDIR: set for the Debian package only, which also gets its copyright and
# changelog there, and its manual pages compressed, as Debian's policy asks.

# An install folder as an absolute path under the prefix installed to.
function(globbet_installed out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# The menu starts the launcher by its full path: a fresh ~/.local/bin is on no one's PATH before the
# next login. A path the entry cannot carry unquoted falls back to the PATH.
globbet_installed(launcher "${GLOBBET_BINDIR}/globbet")
if(IS_ABSOLUTE "${launcher}" AND launcher MATCHES "^[A-Za-z0-9/._+-]+$")
  set(GLOBBET_DESKTOP_EXEC "${launcher}")
else()
  set(GLOBBET_DESKTOP_EXEC globbet)
endif()
globbet_installed(GLOBBET_MAN_DATA_DIR "${GLOBBET_DATA_INSTALL_DIR}")

set(out "${GLOBBET_DIST_DIR}/installed")
configure_file("${GLOBBET_DIST_SOURCE}/globbet.desktop.in" "${out}/${GLOBBET_APP_ID}.desktop" @ONLY)
configure_file("${GLOBBET_DIST_SOURCE}/globbet.6.in" "${out}/globbet.6" @ONLY)
configure_file("${GLOBBET_DIST_SOURCE}/globbet-tool.1.in" "${out}/globbet-tool.1" @ONLY)

set(man6 "${out}/globbet.6")
set(man1 "${out}/globbet-tool.1")
if(GLOBBET_DOCDIR)
  configure_file("${GLOBBET_DIST_SOURCE}/changelog.in" "${out}/changelog" @ONLY)
  # -n: no name or time stamp inside, so the same files make the same package.
  execute_process(COMMAND gzip -9nf "${out}/changelog" "${man6}" "${man1}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress the changelog and the manual pages in ${out}")
  endif()
  set(man6 "${man6}.gz")
  set(man1 "${man1}.gz")
  globbet_installed(docdir "${GLOBBET_DOCDIR}")
  file(INSTALL DESTINATION "${docdir}" TYPE FILE FILES "${GLOBBET_DIST_SOURCE}/copyright" "${out}/changelog.gz")
endif()

globbet_installed(applications "${GLOBBET_APPLICATIONS_DIR}")
globbet_installed(mandir "${GLOBBET_MANDIR}")
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${out}/${GLOBBET_APP_ID}.desktop")
file(INSTALL DESTINATION "${mandir}/man6" TYPE FILE FILES "${man6}")
file(INSTALL DESTINATION "${mandir}/man1" TYPE FILE FILES "${man1}")
