# Run by `cmake --install`: a command in bin/ for each program that users
# start, each a relative link to the program (which finds its folder through
# the link), and the desktop entry. Its Exec lines name the command alone where
# the commands land on every user's PATH (/usr, /usr/local), else by full path.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")

file(MAKE_DIRECTORY "${root}/${VELSNAP_BIN_FOLDER}")
file(RELATIVE_PATH up "${root}/${VELSNAP_BIN_FOLDER}" "${root}")
string(REGEX REPLACE "/+$" "" up "${up}")
foreach(command IN LISTS VELSNAP_COMMANDS)
    set(link "${VELSNAP_BIN_FOLDER}/${command}")
    message(STATUS "Installing: ${root}/${link}")
    file(CREATE_LINK "${up}/${VELSNAP_PROGRAM_FOLDER}/${command}" "${root}/${link}" SYMBOLIC)
    # Listed as CMake lists what it installs itself: without DESTDIR.
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/${link}")
endforeach()

set(entry "${root}/${VELSNAP_DATA_FOLDER}/applications/velsnap.desktop")
message(STATUS "Installing: ${entry}")
file(READ "${VELSNAP_DESKTOP_ENTRY}" text)
if(NOT prefix MATCHES "^/usr(/local)?$")
    string(REGEX REPLACE "\nExec=([^\n]*)" "\nExec=\"${prefix}/${VELSNAP_BIN_FOLDER}/\\1\"" text "${text}")
endif()
file(WRITE "${entry}" "${text}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/${VELSNAP_DATA_FOLDER}/applications/velsnap.desktop")
