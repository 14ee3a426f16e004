# Run by `cmake --install`: a command in bin/ for each program that users
# start, each a relative link to the program (which finds its folder through
# the link), and the desktop entry, whose Exec line names the installed command.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")

file(MAKE_DIRECTORY "${root}/bin")
foreach(command IN LISTS VELSNAP_COMMANDS)
    message(STATUS "Installing: ${root}/bin/${command}")
    file(CREATE_LINK "../${VELSNAP_PROGRAM_FOLDER}/${command}" "${root}/bin/${command}" SYMBOLIC)
    # Listed as CMake lists what it installs itself: without DESTDIR.
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/bin/${command}")
endforeach()

set(entry "${root}/share/applications/velsnap.desktop")
message(STATUS "Installing: ${entry}")
file(READ "${VELSNAP_DESKTOP_ENTRY}" text)
string(REGEX REPLACE "\nExec=([^\n]*)" "\nExec=\"${prefix}/bin/\\1\"" text "${text}")
file(WRITE "${entry}" "${text}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/share/applications/velsnap.desktop")
