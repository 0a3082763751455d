orv_test(orv_vcard_tests ${CMAKE_CURRENT_LIST_DIR}/vcard_test.cpp)
target_link_libraries(orv_vcard_tests PRIVATE orv_vcard)
