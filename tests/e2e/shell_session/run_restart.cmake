cmake_minimum_required(VERSION 3.25)
# Runs the driver scripts of STEPS (a ;-list, in order) one after the other on one settings
# file and one data folder, as restarts of the program, and compares what they printed
# together with EXPECTED.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")
set(ENV{XDG_DATA_HOME} "${WORKDIR}/data")
set(all "")
foreach(step IN LISTS STEPS)
  execute_process(COMMAND "${DRIVER}" --settings "${WORKDIR}/settings.ini" "${step}"
    WORKING_DIRECTORY "${WORKDIR}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "driver exited with ${rc} in ${step}\n${err}\n${out}")
  endif()
  get_filename_component(name "${step}" NAME)
  string(APPEND all "-- ${name}\n${out}")
endforeach()
file(READ "${EXPECTED}" expected)
if(NOT all STREQUAL expected)
  message(FATAL_ERROR "output differs\n--- expected\n${expected}--- got\n${all}")
endif()
