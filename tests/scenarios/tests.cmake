# Scenario tests: the real game run headless by brindlecog-replay from the repository root,
# where it finds img/ and sounds/. The checker uses Python's standard library and ImageMagick.
set(SCENARIO_PYTHON /usr/bin/python3)
set(SCENARIO_DIR ${CMAKE_CURRENT_LIST_DIR})

foreach(group Model Golden StartScreen ReplayTool)
  add_test(NAME Scenario.${group}
    COMMAND ${SCENARIO_PYTHON} ${SCENARIO_DIR}/test_replay.py $<TARGET_FILE:brindlecog-replay>
            ${group}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(Scenario.${group} PROPERTIES TIMEOUT 600)
endforeach()

# The replay's own parts that no script can reach: the dump's number text.
add_executable(brindlecog-replay-tests ${SCENARIO_DIR}/replay_parts_test.cpp)
target_link_libraries(brindlecog-replay-tests PRIVATE brindlecog_replay_parts GTest::gtest_main)
gtest_discover_tests(brindlecog-replay-tests TEST_PREFIX Scenario. WORKING_DIRECTORY
  ${CMAKE_SOURCE_DIR} DISCOVERY_TIMEOUT 60)
