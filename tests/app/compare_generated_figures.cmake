# Runs the figure generator into a scratch folder and compares its output with the shipped file.
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed with ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${SHIPPED}
    RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${SHIPPED} differs from the generator's output ${OUTPUT}; "
        "regenerate it with talvena_make_figures")
endif()
