# The address book's views: PP7 with PP4, "New Address / Birthday", the people
# and hint searches, the phone book, the print job.
orv_qt_library(orv_addressviews
  addressview.cpp addressview.h
  addressexchange.cpp
  newaddressdialog.cpp newaddressdialog.h
  peoplesearchview.cpp peoplesearchview.h
  hintsearchview.cpp hintsearchview.h
  phonebookview.cpp phonebookview.h
  printjob.cpp printjob.h
  searchresultmodel.cpp searchresultmodel.h)
target_link_libraries(orv_addressviews PUBLIC orv_viewbase orv_vcard orv_phonebook Qt6::PrintSupport)

set(_tests ${PROJECT_SOURCE_DIR}/tests/views)
orv_qt_test(orv_address_tests
  SOURCES ${_tests}/address_main.cpp ${_tests}/addressview_test.cpp ${_tests}/searchviews_test.cpp ${_tests}/fakedialogs.h
  LIBS orv_addressviews)
if(TARGET orv_address_tests)
  target_include_directories(orv_address_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/tests/engine)
endif()
