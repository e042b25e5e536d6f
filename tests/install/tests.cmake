# Installs into a scratch prefix, checks the installed tree and menu entry, and starts the
# installed game from its menu entry under a private X server until its window shows.
add_test(NAME install.layout_menu_entry_and_launch
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(install.layout_menu_entry_and_launch PROPERTIES TIMEOUT 60 LABELS install RESOURCE_LOCK xserver)
