# The program itself links none of the libraries that its modules carry: the audio, network,
# print and picture libraries (and what they pull in) are loaded with their first use, never at
# start.
execute_process(COMMAND readelf --dynamic ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
if(NOT needed MATCHES "libQt6Widgets")
  message(FATAL_ERROR "no list of needed libraries in ${PROGRAM}: ${needed}")
endif()
foreach(library libQt6Network libQt6PrintSupport libQt6Multimedia libjpeg libgif)
  if(needed MATCHES "${library}")
    message(FATAL_ERROR "${PROGRAM} links ${library} at start: ${needed}")
  endif()
endforeach()
