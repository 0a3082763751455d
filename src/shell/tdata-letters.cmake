# The letter writer, the data list and the import: windows of their own that
# the main window, the tray and the sidebar open.
target_link_libraries(orv_shell PUBLIC orv_letterviews)
orv_qt_test(orv_letters_shell_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/letters_test.cpp LIBS orv_shell)
