# The scene-and-lighting module, PlZuredUD. Its file is "PlZuredUD.vmx" on every
# system. It sees the host only through host/; nothing else is exported but
# what carries an explicit export mark.
set(PL_MODULE_FOLDERS app lights lightedit reserved contextmenu reactors common)
set(PL_MODULE_SOURCES "")
set(PL_MODULE_FILES "")
foreach(folder IN LISTS PL_MODULE_FOLDERS)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*)
  list(APPEND PL_MODULE_SOURCES ${sources})
  list(APPEND PL_MODULE_FILES ${files})
endforeach()
# The library-attach hook stays out of the object library, so unit tests can
# link the module's code directly without a second application object.
set(PL_MODULE_ATTACH ${PROJECT_SOURCE_DIR}/app/LibraryAttach.cpp)
list(REMOVE_ITEM PL_MODULE_SOURCES ${PL_MODULE_ATTACH})
add_library(PlZuredUD_obj OBJECT ${PL_MODULE_SOURCES})
target_include_directories(PlZuredUD_obj PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(PlZuredUD_obj PUBLIC PLZUREDUD_BUILD)
target_link_libraries(PlZuredUD_obj PUBLIC plhost PlSceneOE pl_message_ids PRIVATE pl_warnings)

add_library(PlZuredUD SHARED ${PL_MODULE_ATTACH})
set_target_properties(PlZuredUD PROPERTIES PREFIX "" SUFFIX ".vmx" OUTPUT_NAME "PlZuredUD")
target_link_libraries(PlZuredUD PRIVATE PlZuredUD_obj pl_warnings)
if(NOT WIN32 AND NOT PL_BUILD_FUZZ)  # clang leaves the sanitizers' runtime to the program
  target_link_options(PlZuredUD PRIVATE -Wl,--no-undefined)
endif()

# The module must not reach into the stand-in host: it sees only host/. Its
# folders depend one way (README, "Layout"): each includes only itself, the
# folders listed after it here, host/ and the message ids.
set(PL_INCLUDES_app app lights lightedit reserved contextmenu reactors common)
set(PL_INCLUDES_lights lights lightedit common)
set(PL_INCLUDES_lightedit lightedit common)
set(PL_INCLUDES_reserved reserved common)
set(PL_INCLUDES_contextmenu contextmenu common)
set(PL_INCLUDES_reactors reactors common)
set(PL_INCLUDES_common common)
foreach(src IN LISTS PL_MODULE_FILES)
  file(STRINGS ${src} includes REGEX "^[ \t]*#[ \t]*include[ \t]+[\"<][^\"<>]+/")
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${src})
  string(REGEX REPLACE "/.*" "" folder "${relative}")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"<]*[\"<]([^/]+)/.*" "\\1" included "${line}")
    if(included STREQUAL "hostsim")
      message(FATAL_ERROR "${relative} includes the stand-in host: ${line}")
    endif()
    if(included IN_LIST PL_MODULE_FOLDERS AND NOT included IN_LIST PL_INCLUDES_${folder})
      message(FATAL_ERROR "${relative} includes ${included}/, which ${folder}/ may not: ${line}")
    endif()
  endforeach()
endforeach()
