# Windows specifics, native or cross. Programs and DLLs are linked statically
# against the compiler's runtime (libstdc++, libgcc, winpthread), so they import
# only system DLLs and each other. With -static the linker takes import
# libraries only by path, which is how CMake passes a target's import library.
add_link_options(-static)

# DLLs keep the names the host knows them by ("plhost.dll", not "libplhost.dll");
# import libraries stay lib<name>.dll.a in the archive folder.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_SHARED_MODULE_PREFIX "")

# The export check reads the export table with the target's objdump.
if(NOT CMAKE_OBJDUMP)
  find_program(CMAKE_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump)
endif()
