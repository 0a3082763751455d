# Letters, data lists, the semicolon text and the import's columns.
orv_test(orv_letters_tests rtf_test.cpp letter_test.cpp datalist_test.cpp semicolon_test.cpp)
target_link_libraries(orv_letters_tests PRIVATE orv_letters)
target_compile_definitions(orv_letters_tests PRIVATE ORV_EXCHANGE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data/exchange")

if(TARGET orv_letters_qt)
  orv_qt_test(orv_letters_qt_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/textdocument_test.cpp LIBS orv_letters_qt)
endif()
