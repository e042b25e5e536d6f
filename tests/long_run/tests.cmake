# The stress board for a number of simulated minutes: a few in every test run, an hour in the
# soak (label "long"). Normal build only: under the sanitizers the minutes take far too long.
if(NOT BRINDLECOG_SANITIZE)
  add_executable(brindlecog-long-run ${CMAKE_CURRENT_LIST_DIR}/long_run_test.cpp)
  target_link_libraries(brindlecog-long-run PRIVATE brindlecog_core)
  add_test(NAME LongRun.StressBoardForThreeMinutes COMMAND brindlecog-long-run 3)
  add_test(NAME LongRun.StressBoardForAnHour COMMAND brindlecog-long-run 60)
  set_tests_properties(LongRun.StressBoardForAnHour PROPERTIES TIMEOUT 900 LABELS long COST 1000)
endif()
