cmake_minimum_required(VERSION 3.25)
# Runs one driver script in a fresh folder and compares what it printed with SCRIPT's
# .expected file. Files the script names (shots) land in WORKDIR; an "exists FILE" line in
# the .files list beside the script must be there afterwards.
string(REGEX REPLACE "\\.qvs$" "" base "${SCRIPT}")
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")
# A .dir folder beside the script holds files the run's folder starts with (a program
# folder's data files).
if(IS_DIRECTORY "${base}.dir")
  file(COPY "${base}.dir/" DESTINATION "${WORKDIR}")
endif()
# A .args file beside the script adds driver options; @WORKDIR@ stands for the run's folder.
set(args)
if(EXISTS "${base}.args")
  file(READ "${base}.args" args)
  string(STRIP "${args}" args)
  string(REPLACE "@WORKDIR@" "${WORKDIR}" args "${args}")
  separate_arguments(args UNIX_COMMAND "${args}")
endif()
# The session's state file goes to the run's folder, never to the user's data folder.
set(ENV{XDG_DATA_HOME} "${WORKDIR}/data")
execute_process(COMMAND "${DRIVER}" ${args} "${SCRIPT}"
  WORKING_DIRECTORY "${WORKDIR}"
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "driver exited with ${rc}\n${err}\n${out}")
endif()
# A .restart script beside it is the program started again in the same folder (and with the
# same options) after the first run ended; its output follows the first run's.
if(EXISTS "${base}.restart")
  execute_process(COMMAND "${DRIVER}" ${args} "${base}.restart"
    WORKING_DIRECTORY "${WORKDIR}"
    OUTPUT_VARIABLE out2 ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "driver exited with ${rc} after the restart\n${err}\n${out2}")
  endif()
  string(APPEND out "${out2}")
endif()
file(READ "${base}.expected" expected)
# @TODAY@ in the expected output stands for today's date as the program writes it.
string(TIMESTAMP today "%d.%m.%Y")
string(REPLACE "@TODAY@" "${today}" expected "${expected}")
# @WORKDIR@ stands for the run's folder, as in the .args file.
string(REPLACE "@WORKDIR@" "${WORKDIR}" expected "${expected}")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "output differs\n--- expected\n${expected}--- got\n${out}")
endif()
if(EXISTS "${base}.files")
  file(STRINGS "${base}.files" wanted)
  foreach(f IN LISTS wanted)
    if(NOT EXISTS "${WORKDIR}/${f}")
      message(FATAL_ERROR "the script did not write ${f}")
    endif()
  endforeach()
endif()
