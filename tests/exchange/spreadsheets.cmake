# Spreadsheet files, written and read.
orv_test(orv_spreadsheets_tests spreadsheet_test.cpp)
target_link_libraries(orv_spreadsheets_tests PRIVATE orv_spreadsheets)
target_compile_definitions(orv_spreadsheets_tests PRIVATE ORV_EXCHANGE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data/exchange")
