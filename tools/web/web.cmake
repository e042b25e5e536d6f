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

# The page's game: brindlecog.js, .wasm and .data (img/ and sounds/ at ./img/ and ./sounds/),
# loaded by index.html.
add_executable(brindlecog ${BRINDLECOG_MAIN_SOURCE})
target_link_libraries(brindlecog PRIVATE brindlecog_core)
# page.js calls these; nothing in the game does, so they are exported by name.
target_link_options(brindlecog PRIVATE -sLEGACY_GL_EMULATION=1 -sENVIRONMENT=web
  "-sEXPORTED_FUNCTIONS=_main,_brindlecogTouch,_brindlecogTouchSlop,_brindlecogRestoreGraphics"
  "SHELL:--post-js ${WEB_DIR}/glut_fixes.js"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/img@/img"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/sounds@/sounds")
set_property(TARGET brindlecog APPEND PROPERTY LINK_DEPENDS ${WEB_DIR}/glut_fixes.js)
file(GLOB WEB_ASSETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/img/* ${CMAKE_SOURCE_DIR}/sounds/*)
set_property(TARGET brindlecog APPEND PROPERTY LINK_DEPENDS ${WEB_ASSETS})
foreach(page_file index.html page.js)
  configure_file(${WEB_DIR}/${page_file} ${CMAKE_BINARY_DIR}/${page_file} COPYONLY)
endforeach()

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
