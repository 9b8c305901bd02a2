target_sources(custom_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bex_io_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/action_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_action_session.cpp
)
