# The main window holds the address book's views.
target_link_libraries(orv_shell PUBLIC orv_addressviews)
orv_qt_test(orv_addressbook_shell_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/addressbook_test.cpp LIBS orv_shell)
