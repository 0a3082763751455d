orv_test(orv_phonebook_tests ${CMAKE_CURRENT_LIST_DIR}/phonebook_test.cpp)
target_link_libraries(orv_phonebook_tests PRIVATE orv_phonebook)
target_compile_definitions(orv_phonebook_tests PRIVATE ORV_EXCHANGE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data/exchange")
