# Renders the manual page PAGE with every groff warning on; any warning fails.
find_program(GROFF groff REQUIRED)
execute_process(COMMAND ${GROFF} -man -Tutf8 -ww -z ${PAGE}
                RESULT_VARIABLE status ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff reports:\n${warnings}")
endif()
