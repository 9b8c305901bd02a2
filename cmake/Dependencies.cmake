# Third-party libraries, all from Debian's packages on the host.
find_package(fmt REQUIRED)
if(NOT WIN32)
  find_package(XercesC REQUIRED)
  find_package(GTest REQUIRED)
endif()
