cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh PREFIX and checks what a desktop needs of it: the program
# folder with the executable, its sound module and the delivered files; the link in bin that
# starts it; the desktop entry and the AppStream data, validated when the tools are there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed\n${out}\n${err}")
endif()

set(folder "${PREFIX}/lib/quorvanta")
foreach(file
    lib/quorvanta/quorvanta lib/quorvanta/quorvanta_sound.so lib/quorvanta/quorvanta_network.so
    lib/quorvanta/quorvanta_print.so lib/quorvanta/quorvanta_pictures.so lib/quorvanta/kurse.txt
    lib/quorvanta/hammer.wav lib/quorvanta/error.wav lib/quorvanta/explos.wav
    lib/quorvanta/hinweis.wav lib/quorvanta/images/on1.cc1
    share/applications/de.drevion.Quorvanta.desktop
    share/metainfo/de.drevion.Quorvanta.metainfo.xml
    share/icons/hicolor/scalable/apps/de.drevion.Quorvanta.svg)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
foreach(file quorvanta-driver ui_tests bench_startup)
  if(EXISTS "${folder}/${file}")
    message(FATAL_ERROR "a build tool was installed: ${file}")
  endif()
endforeach()
file(READ_SYMLINK "${PREFIX}/bin/quorvanta" link)
if(NOT link STREQUAL "../lib/quorvanta/quorvanta")
  message(FATAL_ERROR "bin/quorvanta points to '${link}'")
endif()

find_program(desktop_file_validate desktop-file-validate)
find_program(appstreamcli appstreamcli)
if(desktop_file_validate)
  execute_process(COMMAND "${desktop_file_validate}"
      "${PREFIX}/share/applications/de.drevion.Quorvanta.desktop"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate:\n${out}${err}")
  endif()
else()
  message(STATUS "desktop-file-validate is not installed: the desktop entry is not validated")
endif()
if(appstreamcli)
  execute_process(COMMAND "${appstreamcli}" validate --no-net
      "${PREFIX}/share/metainfo/de.drevion.Quorvanta.metainfo.xml"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate:\n${out}${err}")
  endif()
else()
  message(STATUS "appstreamcli is not installed: the AppStream data is not validated")
endif()

# Started through the link, the program comes up and paints its window.
set(home "${PREFIX}/../home")
file(MAKE_DIRECTORY "${home}/config" "${home}/run")
file(CHMOD "${home}/run" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env QUORVANTA_STARTUP_PROBE=1 QUORVANTA_LOOPBACK_ONLY=1
    QT_QPA_PLATFORM=offscreen
    "XDG_CONFIG_HOME=${home}/config" "XDG_DATA_HOME=${home}/data" "XDG_RUNTIME_DIR=${home}/run"
    "${PREFIX}/bin/quorvanta"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^shown ")
  message(FATAL_ERROR "the installed program did not start (${rc}):\n${out}${err}")
endif()
