target_sources(custom_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_path_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_path_ops.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_path_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_search.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grant_file_access.cpp
)
