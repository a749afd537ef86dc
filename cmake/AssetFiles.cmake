# The game's picture and sound files, read from the one list in src/assets/asset_files.h, and
# the header-only targets that let the tools include that list and the game's numbers.
#   MOJARA_PICTURE_FILES       every picture make-pictures writes
#   MOJARA_GAME_PICTURE_FILES  the pictures the game reads; these are installed
#   MOJARA_SOUND_FILES         every sound make-sounds writes; the game plays them all, all installed
#   mojara_asset_files         target for #include "assets/asset_files.h"
#   mojara_game_numbers        target for #include "app/game_numbers.h"
#   mojara_picture_shapes      target for #include "assets/picture_shapes.h"
# Plain CMake, no Qt: the sound tools build without it.
include_guard(GLOBAL)

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH MOJARA_SOURCE_ROOT)
set(MOJARA_ASSET_LIST ${MOJARA_SOURCE_ROOT}/src/assets/asset_files.h)
# Editing the list reconfigures, so the build and install rules follow it.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MOJARA_ASSET_LIST})

set(MOJARA_PICTURE_FILES)
set(MOJARA_GAME_PICTURE_FILES)
set(MOJARA_SOUND_FILES)
set(_mojara_asset_line "^ *MOJARA_([A-Z_]+)\\(([A-Za-z0-9_]+), *\"([^\"]+)\"\\)")
file(STRINGS ${MOJARA_ASSET_LIST} _mojara_asset_lines REGEX "${_mojara_asset_line}")
# The lines end in the macro's continuation backslash, which escapes the list separator.
string(REPLACE "\\;" ";" _mojara_asset_lines "${_mojara_asset_lines}")
foreach(_line IN LISTS _mojara_asset_lines)
  string(REGEX MATCH "${_mojara_asset_line}" _ "${_line}")
  set(_kind ${CMAKE_MATCH_1})
  set(_file ${CMAKE_MATCH_3})
  if(_kind STREQUAL "STORE_PICTURE" OR _kind STREQUAL "SCREEN_PICTURE")
    list(APPEND MOJARA_PICTURE_FILES ${_file})
    list(APPEND MOJARA_GAME_PICTURE_FILES ${_file})
  elseif(_kind STREQUAL "SPARE_PICTURE" OR _kind STREQUAL "REVIEW_PICTURE")
    list(APPEND MOJARA_PICTURE_FILES ${_file})
  elseif(_kind STREQUAL "SOUND")
    list(APPEND MOJARA_SOUND_FILES ${_file})
  else()
    message(FATAL_ERROR "${MOJARA_ASSET_LIST}: unknown kind of file MOJARA_${_kind} for ${_file}")
  endif()
endforeach()
if(NOT MOJARA_GAME_PICTURE_FILES OR NOT MOJARA_SOUND_FILES)
  message(FATAL_ERROR "${MOJARA_ASSET_LIST}: found no picture or no sound files in it")
endif()
unset(_mojara_asset_line)
unset(_mojara_asset_lines)
unset(_line)
unset(_kind)
unset(_file)

# A header-only target whose include root holds a link to one header of src/ and nothing else,
# so the tools include "assets/asset_files.h" or "app/game_numbers.h" and see no more of the game.
function(mojara_header_target target header)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  cmake_path(GET header PARENT_PATH folder)
  file(MAKE_DIRECTORY ${root}/${folder})
  file(CREATE_LINK ${MOJARA_SOURCE_ROOT}/src/${header} ${root}/${header} SYMBOLIC COPY_ON_ERROR)
  add_library(${target} INTERFACE)
  target_include_directories(${target} INTERFACE ${root})
endfunction()

mojara_header_target(mojara_asset_files assets/asset_files.h)
mojara_header_target(mojara_game_numbers app/game_numbers.h)
mojara_header_target(mojara_picture_shapes assets/picture_shapes.h)
