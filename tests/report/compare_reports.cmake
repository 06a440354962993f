# Runs the search report of both word sizes and fails unless they print the same bytes.
# Arguments: FIRST, SECOND (the two programs), OUT (folder for the reports).
foreach(program FIRST SECOND)
  execute_process(COMMAND ${${program}} INPUT_FILE /dev/null OUTPUT_VARIABLE report_${program}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${${program}} failed: ${result}")
  endif()
  file(WRITE ${OUT}/search_report_${program}.txt "${report_${program}}")
endforeach()
if(report_FIRST STREQUAL "")
  message(FATAL_ERROR "the search report is empty")
endif()
if(NOT report_FIRST STREQUAL report_SECOND)
  message(FATAL_ERROR "the word sizes searched differently: compare ${OUT}/search_report_FIRST.txt "
                      "and ${OUT}/search_report_SECOND.txt")
endif()
message(STATUS "both word sizes printed the same search report")
