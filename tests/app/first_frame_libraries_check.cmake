# A real start, with the default settings in a fresh home (and a runtime folder of its own, so
# that no other start counts as a running instance), up to its first frame: by then
# nothing of the network, printing, sound or pictures may be mapped. Their modules and the
# libraries behind them come with their first use (the rate update starts only after the frame).
set(home ${WORKDIR}/home)
file(REMOVE_RECURSE ${home})
file(MAKE_DIRECTORY ${home}/run)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env HOME=${home} XDG_CONFIG_HOME=${home}/.config
    XDG_DATA_HOME=${home}/.local/share XDG_CACHE_HOME=${home}/.cache XDG_RUNTIME_DIR=${home}/run QT_QPA_PLATFORM=offscreen
    QUORVANTA_STARTUP_PROBE=maps QUORVANTA_LOOPBACK_ONLY=1 ${PROGRAM}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 30)
if(NOT rc EQUAL 0 OR NOT out MATCHES "(^|\n)shown [0-9]+")
  message(FATAL_ERROR "the program did not report its first frame (${rc}):\n${out}\n${err}")
endif()
if(NOT out MATCHES "mapped [^\n]*libQt6Widgets")
  message(FATAL_ERROR "no list of mapped files at the first frame:\n${out}")
endif()
foreach(library quorvanta_network quorvanta_print quorvanta_sound quorvanta_pictures
    libQt6Network libQt6PrintSupport libQt6Multimedia libgif libjpeg)
  if(out MATCHES "mapped ([^\n]*${library}[^\n]*)")
    message(FATAL_ERROR "${CMAKE_MATCH_1} is mapped before the first frame")
  endif()
endforeach()
