# A bad scenario must be refused with exit code 2 and a message naming the problem, before any
# machine is built.
#   -DMSISIM=... -DSCENARIO=... -DROOT=<folder that must stay absent>
#   -DEXPECT=<file holding the message> or -DMESSAGE=<the message>
#   [-DEXIT_CODE=<another code>] [-DEXTRA=<more arguments separated by "|">]
if(NOT DEFINED EXIT_CODE)
  set(EXIT_CODE 2)
endif()
string(REPLACE "|" ";" extra "${EXTRA}")
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${MSISIM} run ${SCENARIO} --root ${ROOT} ${extra}
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL EXIT_CODE)
  message(FATAL_ERROR "expected exit code ${EXIT_CODE}, got ${status}\nstdout: ${output}\nstderr: ${errors}")
endif()
if(DEFINED EXPECT)
  file(READ ${EXPECT} expected)
else()
  set(expected "${MESSAGE}")
endif()
string(STRIP "${expected}" expected)
string(FIND "${errors}" "${expected}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the message does not say \"${expected}\":\n${errors}")
endif()
if(EXISTS ${ROOT})
  message(FATAL_ERROR "a machine was built at ${ROOT} for a refused scenario")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "a refused scenario printed a report:\n${output}")
endif()
