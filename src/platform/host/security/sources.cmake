target_sources(winstandin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/acl_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sid_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acl_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dacl_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/named_security_api.cpp
)
