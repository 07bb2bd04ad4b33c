# The coverage of the program's sources by the tests:
#   cmake -DSTEP=reset|report -DGCOVR=... -DSOURCE=... -DBINARY=... -P coverage.cmake
# reset deletes the counts of earlier runs.  report writes the lines and the
# branches that the tests reached, file by file, to BINARY/coverage.txt and,
# line by line, to BINARY/coverage/index.html, and fails below 100% of lines
# or 95% of branches, or where more than ten lines are kept out of the count.

if(STEP STREQUAL "reset")
  file(GLOB_RECURSE counts ${BINARY}/*.gcda)
  if(counts)
    file(REMOVE ${counts})
  endif()
  return()
endif()

# A line that no test can reach natively is kept out of the count with a
# marker that gives its reason; they stay few.
file(GLOB sources ${SOURCE}/src/*)
set(markers "")
foreach(source ${sources})
  file(READ ${source} text)
  string(REGEX MATCHALL "GCOVR_EXCL" found "${text}")
  list(APPEND markers ${found})
endforeach()
list(LENGTH markers count)

# The counts are looked for in this build alone: the source tree may hold
# other builds, and a Wine prefix whose drive Z: is the whole file system.
set(common --root ${SOURCE} --filter ${SOURCE}/src/ --object-directory ${BINARY}
    --exclude-unreachable-branches --exclude-throw-branches ${BINARY})
file(MAKE_DIRECTORY ${BINARY}/coverage)
execute_process(COMMAND ${GCOVR} ${common}
                        --html-details ${BINARY}/coverage/index.html --txt -
                OUTPUT_VARIABLE lines COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${GCOVR} ${common} --branches --print-summary
                        --fail-under-line 100 --fail-under-branch 95
                OUTPUT_VARIABLE branches RESULT_VARIABLE status)
set(report "${lines}${branches}${count} lines kept out of the count\n")
file(WRITE ${BINARY}/coverage.txt "${report}")
message("${report}")
if(NOT status EQUAL 0 OR count GREATER 10)
  message(FATAL_ERROR "coverage: under 100% of lines or 95% of branches, or "
          "more than 10 lines kept out of the count")
endif()
