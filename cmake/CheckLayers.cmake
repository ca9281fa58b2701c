cmake_minimum_required(VERSION 3.25)

# Checks the include rules between the program's libraries: a library may include its own headers
# and those of the layers listed below, nothing else, and only platform/qt/, app/ and tools/
# include Qt; benchmarks, fuzz targets and their support library use any layer but never a file
# of tests/. No two files of these folders share a name (but each program's main.cpp), so that a
# name says where its code lives. Lists every offence and fails when there is one.
#   cmake -DSOURCE_DIR=<repository root> -P CheckLayers.cmake

# What each library may use besides itself. A layer is a folder; "scene/SceneView.h" allows one
# header of a layer.
set(uses_common "")
set(uses_chess common)
set(uses_pgn chess common)
set(uses_engine chess common platform/ChildProcess.h)
set(uses_openings pgn chess common)
set(uses_gfx3d chess common)
set(uses_platform common)
set(uses_platform/qt platform common resources)
set(uses_resources platform) # the menu is described in the platform's terms
set(uses_scene gfx3d chess common platform resources)
set(uses_player pgn chess common scene/ScenePlayback.h)
set(uses_export scene player pgn chess common platform)
set(uses_gametable openings pgn chess common)
set(uses_notation pgn chess common platform/NotationText.h)
set(uses_analysis engine notation messages pgn chess common platform resources scene/SceneView.h
    export/VideoOverlays.h)
set(uses_explorer openings pgn chess common platform resources)
set(uses_messages pgn chess common resources/StringTable.h)
set(uses_shell gametable notation messages explorer player openings pgn chess common platform resources
    export analysis scene/ScenePlayback.h scene/SceneView.h scene/Camera.h)
set(uses_app common chess pgn openings gfx3d platform platform/qt/QtPlatform.h resources scene
    player export analysis shell)
set(uses_tools common chess pgn openings engine gfx3d platform platform/qt/QtPlatform.h
    platform/qt/QtGLFormat.h platform/qt/QtChildProcess.h resources scene tools)
set(qt_allowed platform/qt app tools bench fuzz support)
set(any_layer bench fuzz support)

set(violations "")
foreach(library common chess pgn openings engine gfx3d platform platform/qt resources scene
        player gametable notation explorer messages export analysis shell app tools bench fuzz support)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${library}/*.h
         ${SOURCE_DIR}/${library}/*.cpp)
    foreach(file IN LISTS files)
        # platform/qt is a library of its own, not a part of platform.
        if(library STREQUAL "platform" AND file MATCHES "^platform/qt/")
            continue()
        endif()
        get_filename_component(name ${file} NAME)
        if(NOT name STREQUAL "main.cpp")
            string(MAKE_C_IDENTIFIER "${name}" key)
            if(DEFINED first_${key})
                list(APPEND violations "${file}: the name of ${first_${key}}")
            else()
                set(first_${key} ${file})
            endif()
        endif()
        file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" header
                   "${line}")
            if(line MATCHES "<Q[A-Za-z]*(/[A-Za-z]+)?>" AND NOT library IN_LIST qt_allowed)
                list(APPEND violations "${file}: ${header} (Qt)")
                continue()
            endif()
            if(NOT line MATCHES "\"")
                continue() # a system header
            endif()
            if(library IN_LIST any_layer)
                get_filename_component(folder ${SOURCE_DIR}/${file} DIRECTORY)
                if(NOT EXISTS ${folder}/${header} AND NOT EXISTS ${SOURCE_DIR}/${header})
                    list(APPEND violations "${file}: ${header} (a file of tests/)")
                endif()
                continue()
            endif()
            if(NOT header MATCHES "/")
                continue() # one of the file's own folder
            endif()
            string(REGEX MATCH "^[^/]+" layer "${header}")
            if(header MATCHES "^platform/qt/")
                set(layer platform/qt)
            endif()
            if(layer STREQUAL library)
                continue()
            endif()
            if(layer IN_LIST uses_${library} OR header IN_LIST uses_${library})
                continue()
            endif()
            list(APPEND violations "${file}: ${header}")
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes across the layers' rules, or names used twice:\n  ${text}")
endif()
message(STATUS "Every include keeps to the layers' rules; every file name is used once.")
