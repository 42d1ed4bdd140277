# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by the mutation check's scratch build alone (CMAKE_PROJECT_TOP_LEVEL_INCLUDES),
# never by the project's own builds: the game's two libraries precompile the system
# and Qt headers that their sources include, which are most of what compiling one of
# their files costs. The runner passes the lists, taken from the sources' includes.
cmake_language(DEFER CALL vorkade_mutants_precompile)

function(vorkade_mutants_precompile)
    if(VORKADE_MUTANTS_CORE_HEADERS)
        target_precompile_headers(vorkade_core PRIVATE ${VORKADE_MUTANTS_CORE_HEADERS})
    endif()
    if(VORKADE_MUTANTS_GUI_HEADERS)
        target_precompile_headers(vorkade_gui PRIVATE ${VORKADE_MUTANTS_GUI_HEADERS})
    endif()
endfunction()
