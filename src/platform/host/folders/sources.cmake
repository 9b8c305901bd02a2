target_sources(winstandin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/folder_paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/copy_move_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_file_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/full_path_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wildcard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/find_api.cpp
)
