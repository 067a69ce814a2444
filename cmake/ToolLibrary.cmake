# pl_add_tool_library(NAME SOURCES source... USES target...): one of plandor's own libraries
# beside the console: static, its headers found from the project's top folder, the targets
# it USES passed on to those that use it, the project's warnings.
function(pl_add_tool_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;USES")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_USES} PRIVATE pl_warnings)
endfunction()
