# Which source files each build compiles, by the files' names alone. A file ending in _glx.cpp
# belongs to the Linux desktop (X11, GLX), _wgl.cpp to Windows, _web.cpp to the browser; any
# other file to every platform, except that in the browser X_web.cpp takes the place of X.cpp
# (the desktop's way of doing what the page does otherwise). A new platform file needs no list.

# Every *.cpp below folder that the platform (glx, wgl or web) compiles, into out.
function(brindlecog_platform_sources out folder platform)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  set(others glx wgl web)
  list(REMOVE_ITEM others ${platform})
  list(JOIN others "|" others)
  list(FILTER sources EXCLUDE REGEX "_(${others})\\.cpp$")
  if(platform STREQUAL "web")
    foreach(source ${sources})
      if(source MATCHES "^(.*)_web\\.cpp$")
        list(REMOVE_ITEM sources "${CMAKE_MATCH_1}.cpp")
      endif()
    endforeach()
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# The core library's sources (everything in src/ but the main program) into BRINDLECOG_CORE_SOURCES,
# the game's main into BRINDLECOG_MAIN_SOURCE, and the replay tool's parts (tools/replay but its
# main) into BRINDLECOG_REPLAY_SOURCES, for BRINDLECOG_PLATFORM.
brindlecog_platform_sources(BRINDLECOG_CORE_SOURCES ${CMAKE_SOURCE_DIR}/src ${BRINDLECOG_PLATFORM})
set(BRINDLECOG_MAIN_SOURCE ${BRINDLECOG_CORE_SOURCES})
list(FILTER BRINDLECOG_MAIN_SOURCE INCLUDE REGEX "/src/app/main(_[a-z]+)?\\.cpp$")
list(REMOVE_ITEM BRINDLECOG_CORE_SOURCES ${BRINDLECOG_MAIN_SOURCE})
brindlecog_platform_sources(BRINDLECOG_REPLAY_SOURCES ${CMAKE_SOURCE_DIR}/tools/replay
  ${BRINDLECOG_PLATFORM})
list(REMOVE_ITEM BRINDLECOG_REPLAY_SOURCES ${CMAKE_SOURCE_DIR}/tools/replay/main.cpp)
