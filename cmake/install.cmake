# Installs the game the way Debian lays out games: the program itself in a private folder, its
# pictures and sounds under share/games, a launcher on the players' PATH (games/) that starts it
# from the data folder, and a menu entry with an icon drawn from the game's own gear picture.
# Everything belongs to the component "game", which is all the Debian package holds; the core
# library, the tests and the tools are never installed.

set(BRINDLECOG_GAME_DIR lib/brindlecog)
set(BRINDLECOG_DATA_DIR share/games/brindlecog)
set(BRINDLECOG_LAUNCHER_DIR games)
set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS brindlecog RUNTIME DESTINATION ${BRINDLECOG_GAME_DIR} COMPONENT game)

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
    set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/brindlecog.desktop")
    message(STATUS "Installing: ${entry}")
    configure_file("@packaging_dir@/brindlecog.desktop.in" "${entry}" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
]] desktop_entry_install @ONLY)
install(CODE "${desktop_entry_install}" COMPONENT game)

# Icons: drawn on every build from whatever img/gear.png is then (see make-icons.cmake).
find_program(IMAGEMAGICK_CONVERT convert)
find_program(IMAGEMAGICK_IDENTIFY identify)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
add_custom_target(brindlecog-icons ALL
    COMMAND ${CMAKE_COMMAND} -DGEAR_PICTURE=${CMAKE_SOURCE_DIR}/img/gear.png -DICON_DIR=${icon_dir}
        -DCONVERT=${IMAGEMAGICK_CONVERT} -DIDENTIFY=${IMAGEMAGICK_IDENTIFY}
        -P ${packaging_dir}/make-icons.cmake
    COMMENT "Drawing the menu icons from img/gear.png"
    VERBATIM)
install(DIRECTORY ${icon_dir}/ DESTINATION share/icons COMPONENT game)

# The Debian package (`make package`, or `cpack` in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlecog)
set(CPACK_PACKAGE_VENDOR "Brindlecog developers")
set(CPACK_PACKAGE_CONTACT "Brindlecog developers <brindlecog@example.org>")
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
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Staged through DESTDIR, so that CMAKE_INSTALL_PREFIX is the real /usr while installing: the
# menu entry writes the launcher's path into itself.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")
include(CPack)
