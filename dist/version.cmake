# The version a build says it is: GLOBBET_VERSION, the project's version at a release (a checkout at the
# tag v<PROJECT_VERSION>, or no git at all), else the project's version with the commit it was built
# from: 0.1.0+git20261207.abc1234 (the commit's date in UTC and its short hash; "+" sorts it after the
# release it builds on and before the next one, for dpkg as for people). GLOBBET_VERSION_DATE is the
# commit's date in the changelog's form (RFC 2822), or the configure time when there is no git.
#
# The build is configured again when the checkout moves to another commit, so the version never lags.
find_package(Git QUIET)
set(GLOBBET_VERSION ${PROJECT_VERSION})
unset(GLOBBET_VERSION_DATE)

function(globbet_git out)
  execute_process(COMMAND ${GIT_EXECUTABLE} ${ARGN} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE text RESULT_VARIABLE failed ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(failed)
    set(text "")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(GIT_FOUND)
  globbet_git(commit rev-parse --short=7 HEAD)
endif()
if(commit)
  set(saved_tz "$ENV{TZ}")
  set(saved_lc "$ENV{LC_ALL}")
  set(ENV{TZ} UTC)
  set(ENV{LC_ALL} C)
  globbet_git(day log -1 --no-show-signature --date=format-local:%Y%m%d --format=%cd HEAD)
  globbet_git(GLOBBET_VERSION_DATE log -1 --no-show-signature "--date=format-local:%a, %d %b %Y %H:%M:%S +0000"
              --format=%cd HEAD)
  set(ENV{TZ} "${saved_tz}")
  set(ENV{LC_ALL} "${saved_lc}")
  globbet_git(release_commit rev-parse --short=7 "refs/tags/v${PROJECT_VERSION}^{commit}")
  if(NOT release_commit STREQUAL commit)
    set(GLOBBET_VERSION "${PROJECT_VERSION}+git${day}.${commit}")
  endif()
  # Configure again when HEAD, the branch it is on or the tags move.
  globbet_git(head_file rev-parse --path-format=absolute --git-path HEAD)
  globbet_git(ref rev-parse --symbolic-full-name HEAD)
  set(watched ${head_file})
  foreach(name ${ref} refs/tags packed-refs)
    globbet_git(file rev-parse --path-format=absolute --git-path ${name})
    list(APPEND watched ${file})
  endforeach()
  foreach(file ${watched})
    if(EXISTS "${file}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    endif()
  endforeach()
endif()
if(NOT GLOBBET_VERSION_DATE)
  string(TIMESTAMP GLOBBET_VERSION_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
message(STATUS "Globbet version ${GLOBBET_VERSION}")
