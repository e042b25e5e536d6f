# The real program in a real window: Xvfb, xdotool and screenshots.
add_test(NAME Window.StartScreenAndPlayMode
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/window_test.sh $<TARGET_FILE:brindlecog> ${CMAKE_SOURCE_DIR})
set_tests_properties(Window.StartScreenAndPlayMode PROPERTIES TIMEOUT 240 RESOURCE_LOCK xserver LABELS window)
