# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by the install step (cmake --install, cpack): writes the menu entry with
# an Exec line that starts the program where this install puts it. In a
# directory on Debian's default search path the bare name does, as menu entries
# are written; anywhere else (~/.local/bin, /opt/...) a desktop session's path
# does not hold the directory, so the line holds the absolute path.
#
# Set by the install code before it: VORKADE_ENTRY_TEMPLATE (the entry with
# @VORKADE_EXEC@), VORKADE_ENTRY_NAME, VORKADE_ENTRY_DIR (relative to the
# prefix), VORKADE_ENTRY_STAGING (a folder of the build tree),
# VORKADE_PROGRAM_DIR (relative to the prefix, or absolute) and
# VORKADE_PROGRAM_NAME.
# The install step runs this without the project's policies.
cmake_policy(PUSH)
cmake_policy(VERSION 3.25)

cmake_path(ABSOLUTE_PATH VORKADE_PROGRAM_DIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           NORMALIZE OUTPUT_VARIABLE program_dir)
string(REGEX REPLACE "(.)/$" "\\1" program_dir "${program_dir}")
set(on_search_path /usr/local/bin /usr/bin /bin /usr/local/games /usr/games)
if(program_dir IN_LIST on_search_path)
    set(exec "${VORKADE_PROGRAM_NAME}")
else()
    set(exec "${program_dir}/${VORKADE_PROGRAM_NAME}")
    # The desktop entry's quoting: an argument holding a reserved character is
    # quoted, with " ` $ \ escaped inside; the entry's own string escape then
    # doubles every backslash; % stands for itself only doubled.
    if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
        set(exec "\"${exec}\"")
    endif()
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "%" "%%" exec "${exec}")
endif()

file(READ "${VORKADE_ENTRY_TEMPLATE}" entry)
string(REPLACE "@VORKADE_EXEC@" "${exec}" entry "${entry}")
# One staging folder per destination, so that two installs from the same build
# tree at once (the tests do that) do not write each other's entry.
string(MD5 staging "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(staging "${VORKADE_ENTRY_STAGING}/${staging}")
file(WRITE "${staging}/${VORKADE_ENTRY_NAME}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${VORKADE_ENTRY_DIR}" TYPE FILE
     FILES "${staging}/${VORKADE_ENTRY_NAME}")

cmake_policy(POP)
