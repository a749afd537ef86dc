# The browser build, configured with Emscripten's emcmake (scripts/build-web-core): the game's
# rules, the headless runner and the rule tests as WebAssembly, single-threaded, with C++
# exceptions as the native build has them. Node runs the runner and the tests.
#   MOJARA_NATIVE_BIN_DIR  a native build's bin/, whose sounds the rules read (their lengths are
#                          part of the rules); required
#   mojara_node_program(TARGET)  links TARGET to run under node on the real file system, and
#                          writes bin/TARGET, a launcher that runs it like a native program
include_guard(GLOBAL)

set(MOJARA_GUI OFF CACHE BOOL "" FORCE)
set(MOJARA_NATIVE_BIN_DIR "" CACHE PATH "A native build's bin/, holding the game's sounds")
if(NOT EXISTS "${MOJARA_NATIVE_BIN_DIR}/music2.mid")
  message(FATAL_ERROR "The browser build reads the game's sounds from a native build: configure with "
                      "-DMOJARA_NATIVE_BIN_DIR=<native build>/bin after building the native 'sounds' target "
                      "(scripts/build-web-core does both)")
endif()

# Every throw is caught as on the desktop (Emscripten's default would abort at the first one).
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1)
# The battle's hit test joins its comparisons with & on purpose, without branches (clang warns).
add_compile_options(-Wno-bitwise-instead-of-logical)
# Its C++ library has no floating-point charconv; no threads in the page.
add_compile_definitions(MOJARA_NO_FLOATING_CHARCONV MOJARA_SINGLE_THREADED)

# CLI11 and nlohmann's JSON are header-only: each its folder alone, without the host's other
# headers beside it.
#   _mojara_host_headers(TARGET FOLDER): TARGET, whose include root holds a link to /usr/include/FOLDER
function(_mojara_host_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/host-include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(REMOVE ${root}/${folder})
  file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  target_include_directories(${target} INTERFACE ${root})
endfunction()
_mojara_host_headers(CLI11::CLI11 CLI)
_mojara_host_headers(nlohmann_json::nlohmann_json nlohmann)

# The sounds, as the native build made them.
include(${CMAKE_CURRENT_LIST_DIR}/AssetFiles.cmake)
set(_sound_copies)
foreach(_file IN LISTS MOJARA_SOUND_FILES)
  add_custom_command(OUTPUT ${MOJARA_BIN_DIR}/${_file}
    COMMAND ${CMAKE_COMMAND} -E copy ${MOJARA_NATIVE_BIN_DIR}/${_file} ${MOJARA_BIN_DIR}/${_file}
    DEPENDS ${MOJARA_NATIVE_BIN_DIR}/${_file} VERBATIM)
  list(APPEND _sound_copies ${MOJARA_BIN_DIR}/${_file})
endforeach()
add_custom_target(sounds ALL DEPENDS ${_sound_copies})

# Node with the browser build's programs: no fetch (the module reads its .wasm from the disk).
find_program(MOJARA_NODE NAMES nodejs node REQUIRED)
set(MOJARA_NODE_COMMAND ${MOJARA_NODE} --no-experimental-fetch)

function(mojara_node_program target)
  target_link_options(${target} PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
  list(JOIN MOJARA_NODE_COMMAND " " node)
  file(GENERATE OUTPUT ${MOJARA_BIN_DIR}/${target}
    CONTENT "#!/bin/sh\n# ${target}, built for the browser, run by node.\nexec ${node} \"$(dirname \"$0\")/${target}.js\" \"$@\"\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()
