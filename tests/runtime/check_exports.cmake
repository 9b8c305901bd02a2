# Compares the functions custom.so defines in its dynamic symbol table with the seven actions.
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[0-9a-f]+ [TW] [A-Za-z_][A-Za-z0-9_]*" functions "${symbols}")
set(names "")
foreach(entry ${functions})
  string(REGEX REPLACE "^[0-9a-f]+ [TW] " "" name "${entry}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected PelmoEngineSetInstallDir PelmoSLPUninstall PelmoSetSLPDiscipline PelmoSetSLPInstallDir
  PlmPrepareWriteIni PlmSetCustomProperties PlmWriteIni)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "custom.so exports [${names}], expected [${expected}]")
endif()
