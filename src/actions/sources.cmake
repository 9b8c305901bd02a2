target_sources(custom_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/action_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/product_property.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_properties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/language_pack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_install_dir.cpp
)
