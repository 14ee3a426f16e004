# Fails when any of PROGRAMS loads Qt Gui: the reception core and the
# command-line front end must install and run where no window system, font
# or platform plugin is.
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ldd ${program} OUTPUT_VARIABLE libraries RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "ldd ${program} failed")
    endif()
    if(libraries MATCHES "Qt6(Gui|Widgets)")
        message(FATAL_ERROR "${program} links Qt Gui")
    endif()
    message(STATUS "${program}: no Qt Gui")
endforeach()
