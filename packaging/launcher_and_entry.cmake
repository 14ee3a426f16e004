# Run by `cmake --install`: bin/velsnap, a relative link to the program (which
# finds its folder through the link), and the desktop entry, whose Exec line
# names the installed launcher.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")

set(launcher "${root}/bin/velsnap")
message(STATUS "Installing: ${launcher}")
file(MAKE_DIRECTORY "${root}/bin")
file(CREATE_LINK "../${VELSNAP_PROGRAM_FOLDER}/velsnap" "${launcher}" SYMBOLIC)

set(entry "${root}/share/applications/velsnap.desktop")
message(STATUS "Installing: ${entry}")
file(READ "${VELSNAP_DESKTOP_ENTRY}" text)
string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=\"${prefix}/bin/velsnap\"" text "${text}")
file(WRITE "${entry}" "${text}")

# Listed as CMake lists what it installs itself: without DESTDIR.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/bin/velsnap" "${prefix}/share/applications/velsnap.desktop")
