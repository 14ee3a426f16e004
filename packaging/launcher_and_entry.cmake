# Run by `cmake --install`: bin/velsnap and bin/velsnap-ports, relative links
# to the programs (which find their folder through the link), and the desktop
# entry, whose Exec lines name the installed launchers.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")

file(MAKE_DIRECTORY "${root}/bin")
foreach(program velsnap velsnap-ports)
    set(launcher "${root}/bin/${program}")
    message(STATUS "Installing: ${launcher}")
    file(CREATE_LINK "../${VELSNAP_PROGRAM_FOLDER}/${program}" "${launcher}" SYMBOLIC)
endforeach()

set(entry "${root}/share/applications/velsnap.desktop")
message(STATUS "Installing: ${entry}")
file(READ "${VELSNAP_DESKTOP_ENTRY}" text)
string(REGEX REPLACE "\nExec=([^\n]*)" "\nExec=\"${prefix}/bin/\\1\"" text "${text}")
file(WRITE "${entry}" "${text}")

# Listed as CMake lists what it installs itself: without DESTDIR.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/bin/velsnap" "${prefix}/bin/velsnap-ports"
     "${prefix}/share/applications/velsnap.desktop")
