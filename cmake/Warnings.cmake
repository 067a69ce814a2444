# Project-wide warning flags, applied per target so third-party code keeps its own.
add_library(pl_warnings INTERFACE)
target_compile_options(pl_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wdouble-promotion -Wformat=2
  $<$<BOOL:${PL_WERROR}>:-Werror>)
option(PL_WERROR "Treat warnings as errors" OFF)
