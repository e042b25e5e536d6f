# The game as a static web page, and the replay tool and a frame benchmark for Node.js, built
# with emscripten's toolchain (emcmake cmake, see the Makefile's `web`). Emscripten's GLUT and its
# GL 1.x emulation on WebGL stand in for freeglut and OpenGL, its stb_image for DevIL, Web Audio
# for SDL2_mixer; the *_web.cpp files beside the desktop's hold the differences.
set(WEB_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(brindlecog_core STATIC ${BRINDLECOG_CORE_SOURCES})
# The chain step's four-lane batches: SSE2 intrinsics, which emscripten turns into wasm SIMD
# (every current browser has it); only this file uses it, and without the flags it does not
# compile (chain_lanes_web.cpp always takes its kernels).
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/mechanics/chain_batch_sse2.cpp PROPERTIES
  COMPILE_OPTIONS "-msimd128;-msse2")
target_include_directories(brindlecog_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
# stb_image.h ships beside emscripten's sources; its compiled library is in emscripten's cache.
target_include_directories(brindlecog_core SYSTEM PRIVATE ${EMSCRIPTEN_ROOT_PATH}/third_party)
target_link_options(brindlecog_core INTERFACE -sSTB_IMAGE=1 -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=1)

# The page's game: brindlecog.js, .wasm and .data, loaded by index.html. Its own data package
# holds what the start screen shows first, the splash picture at ./img/; the other pictures and
# the sounds (at ./img/ and ./sounds/) follow in brindlecog-late.data (late_files.js).
set(FIRST_FILES ${CMAKE_SOURCE_DIR}/img/splash.jpg)
file(GLOB LATE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/img/* ${CMAKE_SOURCE_DIR}/sounds/*)
list(REMOVE_ITEM LATE_FILES ${FIRST_FILES})
# The file packager's names for files: each at its place in the source tree, from the root.
function(packed_names files out)
  set(names "")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${file})
    list(APPEND names "${file}@/${name}")
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
packed_names("${FIRST_FILES}" FIRST_PACKAGE)
packed_names("${LATE_FILES}" LATE_PACKAGE)
list(TRANSFORM FIRST_PACKAGE PREPEND "SHELL:--preload-file " OUTPUT_VARIABLE FIRST_PRELOADS)

add_executable(brindlecog ${BRINDLECOG_MAIN_SOURCE})
target_link_libraries(brindlecog PRIVATE brindlecog_core)
# page.js and late_files.js call these; nothing in the game does, so they are exported by name.
target_link_options(brindlecog PRIVATE -sLEGACY_GL_EMULATION=1 -sGL_PREINITIALIZED_CONTEXT=1
  -sENVIRONMENT=web
  "-sEXPORTED_FUNCTIONS=_main,_brindlecogTouch,_brindlecogTouchSlop,_brindlecogRestoreGraphics\
,_brindlecogLateFilesArrived"
  "SHELL:--post-js ${WEB_DIR}/glut_fixes.js"
  "SHELL:--post-js ${WEB_DIR}/late_files.js"
  ${FIRST_PRELOADS})
set_property(TARGET brindlecog APPEND PROPERTY LINK_DEPENDS ${WEB_DIR}/glut_fixes.js
  ${WEB_DIR}/late_files.js ${FIRST_FILES})

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/brindlecog-late.data ${CMAKE_BINARY_DIR}/brindlecog-late.js
  COMMAND Python3::Interpreter ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py brindlecog-late.data
    --preload ${LATE_PACKAGE} --js-output=brindlecog-late.js --no-node
  DEPENDS ${LATE_FILES}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing the late pictures and sounds")

# The page around the game: its own files, the manifest and the icons that make it an app (the
# 512 and the favicon are the desktop's theme icons), and the service worker, whose version is
# the digest of every file of the page.
set(PAGE_SOURCES index.html page.js manifest.webmanifest icons/brindlecog-192.png
  icons/brindlecog-maskable-512.png)
foreach(source IN LISTS PAGE_SOURCES)
  get_filename_component(name ${source} NAME)
  configure_file(${WEB_DIR}/${source} ${CMAKE_BINARY_DIR}/${name} COPYONLY)
  list(APPEND PAGE_FILES ${name})
endforeach()
set(THEME_ICONS ${CMAKE_SOURCE_DIR}/packaging/icons/hicolor)
configure_file(${THEME_ICONS}/512x512/apps/brindlecog.png ${CMAKE_BINARY_DIR}/brindlecog-512.png
  COPYONLY)
configure_file(${THEME_ICONS}/scalable/apps/brindlecog.svg ${CMAKE_BINARY_DIR}/brindlecog.svg
  COPYONLY)
list(APPEND PAGE_FILES brindlecog-512.png brindlecog.svg brindlecog.js brindlecog.wasm
  brindlecog.data brindlecog-late.js brindlecog-late.data)
list(TRANSFORM PAGE_FILES PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE PAGE_PATHS)
string(REPLACE ";" "," PAGE_LIST "${PAGE_FILES}")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/service-worker.js
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${CMAKE_BINARY_DIR} -DFILES=${PAGE_LIST}
    -DTEMPLATE=${WEB_DIR}/service_worker.js -P ${WEB_DIR}/stamp_worker.cmake
  DEPENDS brindlecog ${PAGE_PATHS} ${WEB_DIR}/service_worker.js ${WEB_DIR}/stamp_worker.cmake
  COMMENT "Stamping the service worker with the page's files")
add_custom_target(brindlecog-page ALL DEPENDS ${CMAKE_BINARY_DIR}/service-worker.js)

# Node.js programs read the real file system (NODERAWFS) and draw nothing (gl_absent.cpp).
set(NODE_OPTIONS -sENVIRONMENT=node -sNODERAWFS=1)
add_executable(brindlecog-replay ${CMAKE_SOURCE_DIR}/tools/replay/main.cpp
  ${BRINDLECOG_REPLAY_SOURCES} ${CMAKE_SOURCE_DIR}/tools/windows/headless_context_none.cpp
  ${WEB_DIR}/gl_absent.cpp)
target_include_directories(brindlecog-replay PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(brindlecog-replay PRIVATE brindlecog_core)
target_link_options(brindlecog-replay PRIVATE ${NODE_OPTIONS})

add_executable(brindlecog-frame-bench ${WEB_DIR}/frame_bench.cpp ${WEB_DIR}/gl_absent.cpp)
target_link_libraries(brindlecog-frame-bench PRIVATE brindlecog_core)
target_link_options(brindlecog-frame-bench PRIVATE ${NODE_OPTIONS})
