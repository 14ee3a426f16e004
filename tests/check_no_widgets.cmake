# Fails when any of PROGRAMS loads Qt Widgets: the reception core and the
# command-line front end must run where no window system is installed.
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ldd ${program} OUTPUT_VARIABLE libraries RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "ldd ${program} failed")
    endif()
    if(libraries MATCHES "Qt6Widgets")
        message(FATAL_ERROR "${program} links Qt Widgets")
    endif()
    message(STATUS "${program}: no Qt Widgets")
endforeach()
