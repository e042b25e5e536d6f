# Random-input soak: seeded random scripts through the headless game, with the invariants
# checked after every frame. Runs on the sanitizer build (label "soak"); `make soak SEEDS=N`
# runs more seeds. Scripts of seeds that once failed are kept in tests/soak/kept/.
# Seeds 1 and 2, of 300 events each.
add_test(NAME Soak.FixedSeeds
  COMMAND ${CMAKE_SOURCE_DIR}/tools/soak/run_soak.sh $<TARGET_FILE:brindlecog-replay> 1 2 300)
add_test(NAME Soak.KeptCases
  COMMAND ${CMAKE_SOURCE_DIR}/tools/soak/run_kept.sh $<TARGET_FILE:brindlecog-replay>)
set_tests_properties(Soak.FixedSeeds Soak.KeptCases PROPERTIES TIMEOUT 900 LABELS soak)

# Missing, empty, random, truncated and oversized pictures and sounds, headless (normal build
# only: the unit tests take the same failure paths under the sanitizers).
add_test(NAME Reliability.BadFilesHeadless
  COMMAND ${CMAKE_SOURCE_DIR}/tests/soak/bad_files_replay.sh $<TARGET_FILE:brindlecog-replay>
          ${CMAKE_SOURCE_DIR})
set_tests_properties(Reliability.BadFilesHeadless PROPERTIES TIMEOUT 300 LABELS files)
