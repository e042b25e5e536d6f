# The fuzzer's committed inputs (tests/fuzz/corpus: seeds and kept findings), each played once
# by the twin runs, on every build: a finding that was mended stays mended. From the repository
# root, where the game finds img/ and sounds/.
add_test(NAME Fuzz.Corpus
  COMMAND $<TARGET_FILE:brindlecog-fuzz-corpus> ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(Fuzz.Corpus PROPERTIES TIMEOUT 300)
