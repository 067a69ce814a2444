# Draws the demo: runs plandor on a script with --plan, its transcript kept beside the
# picture; a run that fails fails the build.
# Usage: cmake -DPLANDOR=<plandor> -DSCRIPT=<script> -DPLAN=<file.svg> -P DemoPlan.cmake
execute_process(COMMAND ${PLANDOR} --script ${SCRIPT} --plan ${PLAN}
                OUTPUT_FILE ${PLAN}.transcript.txt ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "plandor --script ${SCRIPT} --plan ${PLAN} failed (${result}): ${errors}")
endif()
