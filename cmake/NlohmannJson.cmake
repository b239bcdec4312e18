# Provides nlohmann_json::nlohmann_json. A cross build rarely has the package for its target,
# but the library is header-only, so the build machine's headers serve. Only the nlohmann/
# folder is exposed: adding the build machine's whole include folder would shadow the target's
# C library headers.
find_package(nlohmann_json 3 QUIET)
if(nlohmann_json_FOUND)
  return()
endif()
if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3 REQUIRED)
endif()

find_path(HARDLENS_HOST_JSON_INCLUDE nlohmann/json.hpp
  PATHS /usr/include /usr/local/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT HARDLENS_HOST_JSON_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found on the build machine "
                      "(Debian: apt-get install nlohmann-json3-dev)")
endif()
set(_json_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${_json_headers})
file(CREATE_LINK ${HARDLENS_HOST_JSON_INCLUDE}/nlohmann ${_json_headers}/nlohmann
     COPY_ON_ERROR SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${_json_headers})
message(STATUS "nlohmann_json: headers of the build machine (${HARDLENS_HOST_JSON_INCLUDE})")
