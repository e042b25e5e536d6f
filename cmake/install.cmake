# Installs the game the way Debian lays out games: the program itself in a private folder, its
# pictures and sounds under share/games, a launcher on the players' PATH (games/) that starts it
# from the data folder, a menu entry with its icons and AppStream metadata, the manual page, and
# the licence and changelog. Everything belongs to the component "game", which is all the Debian
# package holds; the core library, the tests and the tools are never installed.

# Directories that install creates get these rights whatever the umask, so that the package does
# not depend on who built it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The reverse-DNS name that software centres know the game by; the menu entry and the metadata
# are named after it.
set(BRINDLECOG_APP_ID io.github.brindlecog.brindlecog)
set(BRINDLECOG_GAME_DIR libexec/brindlecog)
set(BRINDLECOG_DATA_DIR share/games/brindlecog)
set(BRINDLECOG_LAUNCHER_DIR games)
set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS brindlecog RUNTIME DESTINATION ${BRINDLECOG_GAME_DIR} COMPONENT game)
# A stripped install (the package's) also drops the compiler's notes, as Debian's dh_strip does.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${BRINDLECOG_GAME_DIR}/brindlecog\"
        COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT game)

# Whatever pictures and sounds the folders hold at install time; nothing else that may lie there.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/img/ DESTINATION ${BRINDLECOG_DATA_DIR}/img COMPONENT game
    FILES_MATCHING PATTERN "*.png" PATTERN "*.jpg")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/sounds/ DESTINATION ${BRINDLECOG_DATA_DIR}/sounds
    COMPONENT game FILES_MATCHING PATTERN "*.wav" PATTERN "*.mp3")

# The launcher finds the prefix from its own place, so one script serves every prefix.
file(RELATIVE_PATH LAUNCHER_TO_PREFIX /prefix/${BRINDLECOG_LAUNCHER_DIR} /prefix)
configure_file(${packaging_dir}/brindlecog.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/brindlecog
    @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/brindlecog
    DESTINATION ${BRINDLECOG_LAUNCHER_DIR} COMPONENT game)

# The menu entry names the launcher by its full path, so that it also starts from prefixes that
# are not on PATH; the prefix is only known at install time (`cmake --install --prefix`).
string(CONFIGURE [[
    set(BRINDLECOG_LAUNCHER "${CMAKE_INSTALL_PREFIX}/@BRINDLECOG_LAUNCHER_DIR@/brindlecog")
    set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/@BRINDLECOG_APP_ID@.desktop")
    message(STATUS "Installing: ${entry}")
    configure_file("@packaging_dir@/@BRINDLECOG_APP_ID@.desktop.in" "${entry}" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
]] desktop_entry_install @ONLY)
install(CODE "${desktop_entry_install}" COMPONENT game)

# Icons, drawn by `make assets` and kept in the repository; the metadata software centres read.
install(DIRECTORY ${packaging_dir}/icons/ DESTINATION share/icons COMPONENT game)
install(FILES ${packaging_dir}/${BRINDLECOG_APP_ID}.metainfo.xml DESTINATION share/metainfo
    COMPONENT game)

# The manual page and the changelog, compressed as Debian ships them: -n leaves out the name
# and time stamp, so that the same text always gives the same bytes.
set(compressed_docs "")
foreach(doc packaging/brindlecog.6 NEWS)
    get_filename_component(name ${doc} NAME)
    set(gz ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/${doc} ${gz}
        DEPENDS ${CMAKE_SOURCE_DIR}/${doc} VERBATIM)
    list(APPEND compressed_docs ${gz})
endforeach()
add_custom_target(brindlecog-docs ALL DEPENDS ${compressed_docs})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/brindlecog.6.gz DESTINATION share/man/man6
    COMPONENT game)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/NEWS.gz DESTINATION share/doc/brindlecog
    RENAME changelog.gz COMPONENT game)
install(FILES ${packaging_dir}/copyright DESTINATION share/doc/brindlecog COMPONENT game)

# The Debian package (`make package`, or `cpack` in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlecog)
set(CPACK_PACKAGE_VENDOR "The Brindlecog developers")
set(CPACK_PACKAGE_CONTACT "The Brindlecog developers <developers@brindlecog.github.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toy machine of gears, motors and chains")
# Lines of the control file's extended description; CPack indents them.
set(CPACK_PACKAGE_DESCRIPTION "Brindlecog is a small desktop toy: on a board, build a machine of
gears in three sizes and motors, run closed chains around them and
switch the power on. The motors pull the chains, the chains turn the
gears, and a warning light shows when a chain is stretched too far.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://brindlecog.github.io/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Staged through DESTDIR, so that CMAKE_INSTALL_PREFIX is the real /usr while installing: the
# menu entry writes the launcher's path into itself.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")
include(CPack)
