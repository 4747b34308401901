# Runs the image generator twice into separate directories and fails unless every file of the
# first run is byte for byte the same as in the second.
# Variables: GENERATOR (the program), WORK_DIR (scratch directory), FILES (expected names).

file(REMOVE_RECURSE ${WORK_DIR})
foreach(run first second)
    file(MAKE_DIRECTORY ${WORK_DIR}/${run})
    execute_process(COMMAND ${GENERATOR} ${WORK_DIR}/${run} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the generator failed (${result}) in the ${run} run")
    endif()
endforeach()
foreach(name ${FILES})
    if(NOT EXISTS ${WORK_DIR}/first/${name})
        message(FATAL_ERROR "the generator wrote no ${name}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/first/${name}
                            ${WORK_DIR}/second/${name}
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${name} differs between two runs")
    endif()
endforeach()
