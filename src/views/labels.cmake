# The labels that act as buttons, as the event pages colour them and as a
# label with a menu opens it.
orv_qt_test(orv_labelbutton_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/views/labelbutton_test.cpp LIBS orv_eventviews)
if(TARGET orv_labelbutton_tests)
  target_include_directories(orv_labelbutton_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
