# cmake -DSTEP=clear|check -DREPORTS=FOLDER -P reports.cmake: empties the
# folder the sanitizers report into (writable by all: some tests run a
# program as nobody), or fails printing every report in it.
if(STEP STREQUAL "clear")
    file(REMOVE_RECURSE ${REPORTS})
    file(MAKE_DIRECTORY ${REPORTS})
    file(CHMOD ${REPORTS} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_WRITE
         GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
    return()
endif()
file(GLOB found ${REPORTS}/report*)
foreach(report ${found})
    file(READ ${report} text)
    message("${report}:\n${text}")
endforeach()
list(LENGTH found count)
if(count GREATER 0)
    message(FATAL_ERROR "${count} sanitizer reports")
endif()
