target_sources(winstandin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/module_resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_api.cpp
)
