# Runs the asset generator into an empty folder and checks that it writes exactly the committed
# gfx/ files, byte for byte.
#   GENERATOR  the tavrin-asset-gen executable
#   OUTDIR     a scratch folder (emptied first)
#   GFXDIR     the committed gfx/ folder
cmake_minimum_required(VERSION 3.25)

set(expected
    Pawn.obj Knight.obj Bishop.obj Rook.obj Dame.obj King.obj
    wood.tga red_wood.tga white_piece.tga black_piece.tga)

get_filename_component(OUTDIR "${OUTDIR}" ABSOLUTE)
get_filename_component(GFXDIR "${GFXDIR}" ABSOLUTE)
file(REMOVE_RECURSE "${OUTDIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTDIR}" RESULT_VARIABLE exitCode
                ERROR_VARIABLE errors)
if(NOT exitCode EQUAL 0)
    message(FATAL_ERROR "tavrin-asset-gen failed with ${exitCode}: ${errors}")
endif()

set(failures "")
file(GLOB generated RELATIVE "${OUTDIR}" "${OUTDIR}/*")
foreach(name IN LISTS expected)
    if(NOT name IN_LIST generated)
        string(APPEND failures "not generated: ${name}\n")
    endif()
endforeach()
foreach(name IN LISTS generated)
    if(NOT EXISTS "${GFXDIR}/${name}")
        string(APPEND failures "generated but not in gfx/: ${name}\n")
        continue()
    endif()
    file(SHA256 "${OUTDIR}/${name}" producedHash)
    file(SHA256 "${GFXDIR}/${name}" committedHash)
    if(NOT producedHash STREQUAL committedHash)
        string(APPEND failures "differs from gfx/: ${name}\n")
    endif()
endforeach()
if(NOT failures STREQUAL "")
    message(FATAL_ERROR "the generator does not reproduce gfx/ (regenerate with "
                        "tavrin-asset-gen gfx and commit):\n${failures}")
endif()
