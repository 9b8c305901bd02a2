target_sources(custom_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/profile_key.cpp
)
