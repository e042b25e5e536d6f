# Writes the page's service worker into FOLDER from TEMPLATE: its version is a digest of the
# page's files (FILES, separated by commas), so that a new build of any of them is a new cache.
string(REPLACE "," ";" files "${FILES}")
set(digests "")
set(quoted "'./'")
foreach(file IN LISTS files)
  file(SHA256 ${FOLDER}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  string(APPEND quoted ", '${file}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 VERSION)
set(FILES ${quoted})
configure_file(${TEMPLATE} ${FOLDER}/service-worker.js @ONLY)
