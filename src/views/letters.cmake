# The windows of their own for letters, data lists and import: the letter
# writer, the data list, the import and its "Select area:" dialog.
orv_qt_library(orv_letterviews
  letterwriter.cpp letterwriter.h
  datalistform.cpp datalistform.h
  importdata.cpp importdata.h
  areadialog.cpp areadialog.h)
target_link_libraries(orv_letterviews PUBLIC orv_addressviews orv_eventviews orv_letters_qt orv_spreadsheets)

set(_tests ${PROJECT_SOURCE_DIR}/tests/views)
orv_qt_test(orv_letterviews_tests
  SOURCES ${_tests}/letters_main.cpp ${_tests}/letterwriter_test.cpp ${_tests}/datalistform_test.cpp
    ${_tests}/importdata_test.cpp ${_tests}/fakedialogs.h ${_tests}/pdftext.h ${_tests}/testfiles.h
  LIBS orv_letterviews)
if(TARGET orv_letterviews_tests)
  target_include_directories(orv_letterviews_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/tests/engine)
  target_compile_definitions(orv_letterviews_tests PRIVATE ORV_EXCHANGE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data/exchange")
endif()
