# The thirty moon pictures of the tray icon.
orv_qt_library(orv_moon moonimages.cpp moonimages.h)
target_link_libraries(orv_moon PUBLIC orv_engine)
orv_qt_test(orv_moon_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/moon_test.cpp LIBS orv_moon)
