target_sources(winstandin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/code_page_1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_page_1252_best_fit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caller_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/section_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/atomic_replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/write_api.cpp
)
