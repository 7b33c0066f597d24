# Runs `vexal` with the given arguments as a player would start it and checks
# its exit code and what it said: cmake -DVEXAL=... -DARGS=a,b -DEXPECT=0|1|2
# [-DSAYS=regex] [-DPICTURES=folder] -P tour_process.cmake. With PICTURES,
# every picture in the folder must have been named on a line of its own.
string(REPLACE "," ";" ARGS "${ARGS}")
execute_process(COMMAND ${VEXAL} ${ARGS}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT "${result}" STREQUAL "${EXPECT}")
  message(FATAL_ERROR "vexal ${ARGS} exited with ${result}, not ${EXPECT}\n${out}\n${err}")
endif()
if(DEFINED SAYS AND NOT err MATCHES "${SAYS}")
  message(FATAL_ERROR "vexal ${ARGS} did not say why (${SAYS}):\n${err}")
endif()
if(DEFINED PICTURES)
  file(GLOB pictures ${PICTURES}/*.png)
  list(LENGTH pictures count)
  string(REGEX MATCHALL "[^\n]+\\.png" lines "${out}")
  list(LENGTH lines printed)
  if(count EQUAL 0 OR NOT printed EQUAL count)
    message(FATAL_ERROR "${count} pictures written, ${printed} named\n${out}")
  endif()
endif()
