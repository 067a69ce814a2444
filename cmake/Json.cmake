# The JSON library of the console (Debian: nlohmann-json3-dev, header-only), as
# the target pl_json. Its headers are copied into a folder that holds nothing
# else, so that a cross build sees that library and none of the build
# machine's other headers.
find_path(PL_JSON_HEADERS nlohmann/json.hpp PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT PL_JSON_HEADERS)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (scripts/install-deps.sh)")
endif()
set(PL_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json/include)
file(COPY ${PL_JSON_HEADERS}/nlohmann DESTINATION ${PL_JSON_INCLUDE})
add_library(pl_json INTERFACE)
target_include_directories(pl_json SYSTEM INTERFACE ${PL_JSON_INCLUDE})
