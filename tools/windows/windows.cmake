# The game for 64-bit Windows, cross-built with tools/windows/build-deps.sh's libraries (their
# prefix in CMAKE_PREFIX_PATH): the game and the replay tool. The tests and the benchmark need
# Mesa's off-screen GL and stay on Linux; tests/windows/test.sh drives this build under Wine.
find_path(FREEGLUT_INCLUDE_DIR GL/freeglut.h REQUIRED NO_CACHE)
find_path(SDL2_INCLUDE_DIR SDL2/SDL.h REQUIRED NO_CACHE)
find_path(IL_INCLUDE_DIR IL/ilut.h REQUIRED NO_CACHE)
foreach(library freeglut IL ILU ILUT SDL2 SDL2_mixer)
  find_library(${library}_LIBRARY ${library} REQUIRED NO_CACHE)
endforeach()

add_library(brindlecog_core STATIC ${BRINDLECOG_CORE_SOURCES})
target_include_directories(brindlecog_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${FREEGLUT_INCLUDE_DIR}
  ${IL_INCLUDE_DIR} ${SDL2_INCLUDE_DIR} ${SDL2_INCLUDE_DIR}/SDL2)
# SDL's headers would otherwise rename main to SDL_main; the game stays a console program.
# (DevIL's Windows ilut_config.h turns on its OpenGL part itself.)
target_compile_definitions(brindlecog_core PUBLIC SDL_MAIN_HANDLED)
target_link_libraries(brindlecog_core PUBLIC ${freeglut_LIBRARY} ${ILUT_LIBRARY} ${ILU_LIBRARY}
  ${IL_LIBRARY} ${SDL2_mixer_LIBRARY} ${SDL2_LIBRARY} opengl32)

add_executable(brindlecog ${BRINDLECOG_MAIN_SOURCE})
target_link_libraries(brindlecog PRIVATE brindlecog_core)

# The replay tool without a GL context: its dumps, not its shots (headless_context_none.cpp).
add_executable(brindlecog-replay ${CMAKE_SOURCE_DIR}/tools/replay/main.cpp
  ${BRINDLECOG_REPLAY_SOURCES} ${CMAKE_CURRENT_LIST_DIR}/headless_context_none.cpp)
target_include_directories(brindlecog-replay PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(brindlecog-replay PRIVATE brindlecog_core)
