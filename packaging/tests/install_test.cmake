# Installs the build into a staging folder as a /usr install would lay it
# out, checks the file list, validates the desktop entry and the metainfo,
# and runs the installed programs on the simulated mouse from another folder.
file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE installed OUTPUT_QUIET)
unset(ENV{DESTDIR})
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(expected
  usr/bin/zelko77
  usr/bin/zelko77ctl
  usr/lib/udev/rules.d/70-zelko77.rules
  usr/share/applications/org.zelko77.Zelko77.desktop
  usr/share/metainfo/org.zelko77.Zelko77.metainfo.xml
  usr/share/icons/hicolor/48x48/apps/zelko77.png
  usr/share/icons/hicolor/128x128/apps/zelko77.png
  usr/share/icons/hicolor/256x256/apps/zelko77.png
  usr/share/icons/hicolor/scalable/apps/zelko77.svg
  usr/share/bash-completion/completions/zelko77ctl
  usr/share/man/man1/zelko77.1.gz
  usr/share/man/man1/zelko77ctl.1.gz
  usr/share/doc/zelko77/copyright
  usr/share/doc/zelko77/changelog.gz
  etc/xdg/autostart/zelko77-switcher.desktop
  usr/lib/systemd/user/zelko77-switcher.service
  usr/share/gnome-shell/extensions/zelko77-focus@zelko77.org/metadata.json
  usr/share/gnome-shell/extensions/zelko77-focus@zelko77.org/extension.js
  usr/share/zelko77/kwin/zelko77-focus.js)
file(GLOB_RECURSE found RELATIVE ${STAGE} ${STAGE}/*)
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "installed files differ:\n  found ${found}\n  expected ${expected}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${STAGE}/usr/share/applications/org.zelko77.Zelko77.desktop
                  RESULT_VARIABLE valid)
  if(NOT valid EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refused the desktop entry")
  endif()
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${STAGE}/etc/xdg/autostart/zelko77-switcher.desktop
                  RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT valid EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refused the switcher's autostart entry:\n${said}")
  endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                          ${STAGE}/usr/share/metainfo/org.zelko77.Zelko77.metainfo.xml
                  RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT valid EQUAL 0)
    message(FATAL_ERROR "appstreamcli refused the metainfo:\n${said}")
  endif()
endif()

# The installed programs run from any folder and write only to the user's
# folders (here inside the stage).
set(home ${STAGE}/home)
file(MAKE_DIRECTORY ${home})
set(ENV{HOME} ${home})
set(ENV{XDG_DATA_HOME} ${home}/data)
set(ENV{XDG_CONFIG_HOME} ${home}/config)
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${STAGE}/usr/bin/zelko77ctl --simulate --sim-virtual-time info
                WORKING_DIRECTORY ${home} RESULT_VARIABLE ran OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT ran EQUAL 0 OR NOT said MATCHES "configurable")
  message(FATAL_ERROR "the installed zelko77ctl did not run: ${said}")
endif()
execute_process(COMMAND ${STAGE}/usr/bin/zelko77 --simulate --sim-virtual-time --screenshot ${home}/shots
                WORKING_DIRECTORY ${home} RESULT_VARIABLE ran OUTPUT_VARIABLE said ERROR_VARIABLE said
                TIMEOUT 90)
if(NOT ran EQUAL 0 OR NOT EXISTS ${home}/shots/main.png)
  message(FATAL_ERROR "the installed zelko77 did not take its pictures: ${said}")
endif()
file(GLOB beside ${STAGE}/usr/bin/*)
list(LENGTH beside programs)
if(NOT programs EQUAL 2)
  message(FATAL_ERROR "something was written beside the programs: ${beside}")
endif()
