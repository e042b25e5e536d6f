# One simulated hour of the stress board: memory stays flat and every chain stays wrapped.
# Its own program, since it runs for minutes: on the normal build only (label "long").
add_executable(brindlecog-long-run ${CMAKE_CURRENT_LIST_DIR}/long_run_test.cpp)
target_link_libraries(brindlecog-long-run PRIVATE brindlecog_core GTest::gtest GTest::gtest_main)
add_test(NAME LongRun.StressBoardForAnHour COMMAND brindlecog-long-run
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(LongRun.StressBoardForAnHour PROPERTIES TIMEOUT 900 LABELS long COST 1000)
