# Project-wide warning flags, applied per target so third-party code keeps its own.
# PL_WERROR makes them errors: CI sets it (the environment variable PL_WERROR=ON
# sets the option at every configure); it stays off for builds at home.
option(PL_WERROR "Treat warnings as errors" OFF)
if(DEFINED ENV{PL_WERROR})
  set(PL_WERROR "$ENV{PL_WERROR}" CACHE BOOL "Treat warnings as errors" FORCE)
endif()
add_library(pl_warnings INTERFACE)
target_compile_options(pl_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wdouble-promotion -Wformat=2
  $<$<BOOL:${PL_WERROR}>:-Werror>)
