# A start with the default settings on a machine without network (a network namespace with
# only a loopback): its rate update, tried after the first frame, cannot find the bank's host
# and must give up without loading the network stack and its TLS libraries. Nothing can leave
# the machine from such a namespace. Where none can be made, there is nothing to check.
execute_process(COMMAND unshare -rn true RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(STATUS "no network namespace can be made here: not checked")
  return()
endif()
set(home ${WORKDIR}/home)
file(REMOVE_RECURSE ${home})
file(MAKE_DIRECTORY ${home})
# Three seconds after the start the update has long been tried; the files mapped then.
execute_process(
  COMMAND unshare -rn sh -c [[
    env -u QUORVANTA_LOOPBACK_ONLY -u QUORVANTA_STARTUP_PROBE HOME="$1" XDG_CONFIG_HOME="$1/config" \
      XDG_DATA_HOME="$1/data" XDG_CACHE_HOME="$1/cache" XDG_RUNTIME_DIR="$1" \
      QT_QPA_PLATFORM=offscreen "$0" >/dev/null 2>&1 &
    pid=$!
    sleep 3
    cat /proc/$pid/maps
    kill $pid
    wait $pid 2>/dev/null
  ]] ${PROGRAM} ${home}
  OUTPUT_VARIABLE maps RESULT_VARIABLE rc TIMEOUT 30)
if(NOT maps MATCHES "libQt6Widgets")
  message(FATAL_ERROR "the program was not running after three seconds (${rc})")
endif()
foreach(library quorvanta_network libQt6Network libssl libcrypto)
  if(maps MATCHES "[ \t](/[^\n]*${library}[^\n]*)")
    message(FATAL_ERROR "${CMAKE_MATCH_1} is mapped by an update that had no network")
  endif()
endforeach()
