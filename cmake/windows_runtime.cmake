# What a Windows program of this build needs beside itself to start: the Qt
# DLLs it links and the MinGW runtime.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "MinGW runtime ${dll} not found")
    endif()
    list(APPEND VELSNAP_MINGW_RUNTIME ${path})
endforeach()

function(velsnap_copy_runtime_dlls target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_RUNTIME_DLLS:${target}> ${VELSNAP_MINGW_RUNTIME}
                $<TARGET_FILE_DIR:${target}>
        COMMAND_EXPAND_LISTS)
endfunction()
