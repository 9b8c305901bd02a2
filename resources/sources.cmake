# The two IniFile descriptions travel inside the library: through the resource compiler in the
# Windows build, through a generated source that registers them with the stand-in in the host build.
set(embedded_descriptions
  "101|XML_RESOURCE|${CMAKE_CURRENT_LIST_DIR}/inifile_full.xml"
  "102|XML_RESOURCE|${CMAKE_CURRENT_LIST_DIR}/inifile_engine.xml")

if(WIN32)
  enable_language(RC)
  target_sources(custom PRIVATE ${CMAKE_CURRENT_LIST_DIR}/custom.rc)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/custom.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/inifile_full.xml;${CMAKE_CURRENT_LIST_DIR}/inifile_engine.xml")
else()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/embedded_descriptions.cpp)
  set(inputs "")
  foreach(resource IN LISTS embedded_descriptions)
    string(REGEX REPLACE "^.*\\|" "" file "${resource}")
    list(APPEND inputs ${file})
  endforeach()
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${generated} "-DRESOURCES=${embedded_descriptions}"
            -P ${CMAKE_CURRENT_LIST_DIR}/embed_resources.cmake
    DEPENDS ${inputs} ${CMAKE_CURRENT_LIST_DIR}/embed_resources.cmake
    COMMENT "Embedding the IniFile descriptions"
    VERBATIM)
  target_sources(custom_lib PRIVATE ${generated})
endif()
