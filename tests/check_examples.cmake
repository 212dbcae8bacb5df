# Runs the example generator into OUT and compares what it writes with the
# committed files in EXAMPLES, byte for byte.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()
foreach(name pulse_spectrum.txt oscillator.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${EXAMPLES}/${name} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${name} differs from what the generator writes")
  endif()
endforeach()
