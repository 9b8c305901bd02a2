target_sources(custom_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/action_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exports.cpp
)
