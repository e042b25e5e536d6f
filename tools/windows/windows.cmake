# The game for 64-bit Windows, cross-built with tools/windows/build-deps.sh's libraries (their
# prefix in CMAKE_PREFIX_PATH): the game and the replay tool. The tests and the benchmark need
# Mesa's off-screen GL and stay on Linux; tests/windows/test.sh drives this build under Wine.
find_path(FREEGLUT_INCLUDE_DIR GL/freeglut.h REQUIRED NO_CACHE)
find_path(SDL2_INCLUDE_DIR SDL2/SDL.h REQUIRED NO_CACHE)
find_path(IL_INCLUDE_DIR IL/ilut.h REQUIRED NO_CACHE)
foreach(library freeglut IL ILU ILUT SDL2 SDL2_mixer)
  find_library(${library}_LIBRARY ${library} REQUIRED NO_CACHE)
endforeach()

file(GLOB_RECURSE CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(REMOVE_ITEM CORE_SOURCES ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
list(FILTER CORE_SOURCES EXCLUDE REGEX "_(glx|web)\\.cpp$")
add_library(brindlecog_core STATIC ${CORE_SOURCES})
target_include_directories(brindlecog_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${FREEGLUT_INCLUDE_DIR}
  ${IL_INCLUDE_DIR} ${SDL2_INCLUDE_DIR} ${SDL2_INCLUDE_DIR}/SDL2)
# SDL's headers would otherwise rename main to SDL_main; the game stays a console program.
# (DevIL's Windows ilut_config.h turns on its OpenGL part itself.)
target_compile_definitions(brindlecog_core PUBLIC SDL_MAIN_HANDLED)
target_link_libraries(brindlecog_core PUBLIC ${freeglut_LIBRARY} ${ILUT_LIBRARY} ${ILU_LIBRARY}
  ${IL_LIBRARY} ${SDL2_mixer_LIBRARY} ${SDL2_LIBRARY} opengl32)

add_executable(brindlecog src/app/main.cpp)
target_link_libraries(brindlecog PRIVATE brindlecog_core)

# The replay tool without a GL context: its dumps, not its shots (headless_context_none.cpp).
set(REPLAY_DIR ${CMAKE_SOURCE_DIR}/tools/replay)
add_executable(brindlecog-replay ${REPLAY_DIR}/main.cpp ${REPLAY_DIR}/replay.cpp
  ${REPLAY_DIR}/script.cpp ${REPLAY_DIR}/state_dump.cpp ${REPLAY_DIR}/float_text.cpp
  ${REPLAY_DIR}/headless_window.cpp ${CMAKE_CURRENT_LIST_DIR}/headless_context_none.cpp)
target_include_directories(brindlecog-replay PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(brindlecog-replay PRIVATE brindlecog_core)
