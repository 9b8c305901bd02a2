# Third-party libraries: from Debian's packages on the host; for the Windows build, {fmt} header-only
# from the same package and Xerces-C as cross-built by scripts/windows/build.
if(NOT WIN32)
  find_package(fmt REQUIRED)
  find_package(XercesC REQUIRED)
  find_package(GTest REQUIRED)
  return()
endif()

# {fmt}'s headers are platform-free, but their folder is the host's /usr/include, which must not
# reach the cross compiler's include path: a private folder holding only a link to fmt/ does.
find_path(FMT_HOST_INCLUDE_DIR fmt/printf.h NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(fmt_only_include ${CMAKE_BINARY_DIR}/third_party/fmt-include)
file(MAKE_DIRECTORY ${fmt_only_include})
file(CREATE_LINK ${FMT_HOST_INCLUDE_DIR}/fmt ${fmt_only_include}/fmt SYMBOLIC)
add_library(fmt::fmt-header-only INTERFACE IMPORTED)
set_target_properties(fmt::fmt-header-only PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${fmt_only_include}
  INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY=1)

# Static Xerces-C; XercesC_DIR names its cmake/ folder. Its package file leaves to the consumer the
# thread library it names and the system libraries of its winsock accessor and registry lookups.
find_package(Threads REQUIRED)
find_package(XercesC CONFIG REQUIRED)
set_property(TARGET XercesC::XercesC APPEND PROPERTY INTERFACE_LINK_LIBRARIES ws2_32 advapi32)
set_property(TARGET XercesC::XercesC APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS XERCES_STATIC_LIBRARY)
