# Runs msisim and compares its report with the checked-in one.
#   -DMSISIM=... -DARGUMENTS=run|scenarios/x.json|--json -DEXPECTED=... -DACTUAL=... -DSOURCE_DIR=...
# (the arguments separated by "|"). With the environment variable MSISIM_UPDATE_EXPECTED=1 the
# expected report is rewritten instead.
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
execute_process(COMMAND ${MSISIM} ${arguments}
  WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE report ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "msisim ${ARGUMENTS} exited with ${status}:\n${errors}")
endif()
file(WRITE ${ACTUAL} "${report}")

if("$ENV{MSISIM_UPDATE_EXPECTED}" STREQUAL "1")
  file(COPY_FILE ${ACTUAL} ${EXPECTED})
  message(STATUS "rewrote ${EXPECTED}")
  return()
endif()
if(NOT EXISTS ${EXPECTED})
  message(FATAL_ERROR "no expected report ${EXPECTED}; make it with MSISIM_UPDATE_EXPECTED=1 and review it")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL} RESULT_VARIABLE differs)
if(differs)
  # The difference goes straight to the test's output; a CMake message would rewrap it.
  find_program(DIFF diff)
  if(DIFF)
    execute_process(COMMAND ${DIFF} -u --label expected --label actual ${EXPECTED} ${ACTUAL})
  endif()
  message(FATAL_ERROR "the report of msisim ${ARGUMENTS} differs from ${EXPECTED} (actual: ${ACTUAL})")
endif()
