# Scenario tests: the real game run headless by brindlecog-replay on scripted sessions, from
# the repository root, where it finds img/ and sounds/. The checkers are Python 3 programs
# that use only the standard library.
set(SCENARIO_PYTHON /usr/bin/python3)
set(SCENARIO_DIR ${CMAKE_CURRENT_LIST_DIR})

# One test per session script (the classes of test_sessions.py).
foreach(session StartScreen RunningMachine SmallGearsFaster PlacePieces DragGears PullChain
        EditChain DeleteAndClear PowerSwitch)
  add_test(NAME Scenario.${session}
    COMMAND ${SCENARIO_PYTHON} ${SCENARIO_DIR}/test_sessions.py
            $<TARGET_FILE:brindlecog-replay> ${session}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endforeach()
add_test(NAME Scenario.ReplayTool
  COMMAND ${SCENARIO_PYTHON} ${SCENARIO_DIR}/test_replay_tool.py $<TARGET_FILE:brindlecog-replay>
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
add_test(NAME Scenario.ModelComparison
  COMMAND ${SCENARIO_PYTHON} ${SCENARIO_DIR}/test_model.py $<TARGET_FILE:brindlecog-replay>
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
add_test(NAME Scenario.GoldenPictures
  COMMAND ${SCENARIO_PYTHON} ${SCENARIO_DIR}/test_golden.py $<TARGET_FILE:brindlecog-replay>
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(Scenario.StartScreen Scenario.RunningMachine Scenario.SmallGearsFaster
  Scenario.PlacePieces Scenario.DragGears Scenario.PullChain Scenario.EditChain
  Scenario.DeleteAndClear Scenario.PowerSwitch Scenario.ReplayTool Scenario.ModelComparison
  Scenario.GoldenPictures PROPERTIES TIMEOUT 600)

# The replay's own parts that no script can reach: the dump's number text.
add_executable(brindlecog-replay-tests ${SCENARIO_DIR}/replay_parts_test.cpp)
target_link_libraries(brindlecog-replay-tests PRIVATE brindlecog_replay_parts GTest::gtest_main)
gtest_discover_tests(brindlecog-replay-tests TEST_PREFIX Scenario. WORKING_DIRECTORY
  ${CMAKE_SOURCE_DIR} DISCOVERY_TIMEOUT 60)
