# Run by CPack after it has installed the package's files into its staging folder: compresses
# the manual pages there with gzip -9n, as Debian keeps them.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot compress ${page}")
    endif()
endforeach()
