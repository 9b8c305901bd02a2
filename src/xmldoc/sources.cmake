target_sources(custom_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/standard_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform_file_manager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wsx_dom_error_handler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nesting_limit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bounded_memory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unresolved_grammar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_document_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_xml_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_document_save.cpp
)
