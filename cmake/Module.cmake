# The scene-and-lighting module, PlZuredUD. Its file is "PlZuredUD.vmx" on every
# system. It sees the host only through host/; nothing else is exported but
# what carries an explicit export mark.
file(GLOB PL_MODULE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/app/*.cpp
  ${PROJECT_SOURCE_DIR}/lights/*.cpp
  ${PROJECT_SOURCE_DIR}/lightedit/*.cpp
  ${PROJECT_SOURCE_DIR}/reserved/*.cpp
  ${PROJECT_SOURCE_DIR}/contextmenu/*.cpp
  ${PROJECT_SOURCE_DIR}/reactors/*.cpp)
# The library-attach hook stays out of the object library, so unit tests can
# link the module's code directly without a second application object.
set(PL_MODULE_ATTACH ${PROJECT_SOURCE_DIR}/app/LibraryAttach.cpp)
list(REMOVE_ITEM PL_MODULE_SOURCES ${PL_MODULE_ATTACH})
add_library(PlZuredUD_obj OBJECT ${PL_MODULE_SOURCES})
target_include_directories(PlZuredUD_obj PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(PlZuredUD_obj PUBLIC PLZUREDUD_BUILD)
target_link_libraries(PlZuredUD_obj PUBLIC plhost PlSceneOE PRIVATE pl_warnings)

add_library(PlZuredUD SHARED ${PL_MODULE_ATTACH})
set_target_properties(PlZuredUD PROPERTIES PREFIX "" SUFFIX ".vmx" OUTPUT_NAME "PlZuredUD")
target_link_libraries(PlZuredUD PRIVATE PlZuredUD_obj pl_warnings)
if(NOT WIN32 AND NOT PL_BUILD_FUZZ)  # clang leaves the sanitizers' runtime to the program
  target_link_options(PlZuredUD PRIVATE -Wl,--no-undefined)
endif()

# The module must not reach into the stand-in host: it sees only host/.
file(GLOB_RECURSE PL_MODULE_FILES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/app/* ${PROJECT_SOURCE_DIR}/lights/* ${PROJECT_SOURCE_DIR}/lightedit/*
  ${PROJECT_SOURCE_DIR}/reserved/* ${PROJECT_SOURCE_DIR}/contextmenu/* ${PROJECT_SOURCE_DIR}/reactors/*)
foreach(src IN LISTS PL_MODULE_FILES)
  file(STRINGS ${src} bad_includes REGEX "#include[ \t]+[\"<]hostsim/")
  if(bad_includes)
    message(FATAL_ERROR "${src} includes the stand-in host: ${bad_includes}")
  endif()
endforeach()
