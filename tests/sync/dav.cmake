# The WebDAV client against Radicale and against fakedav.py, which fails on
# purpose; the multistatus reader and the password alone.
if(TARGET orv_sync)
  orv_test(orv_davxml_tests davxml_test.cpp)
  target_link_libraries(orv_davxml_tests PRIVATE orv_sync)
  orv_qt_test(orv_password_tests SOURCES password_test.cpp LIBS orv_sync)
  orv_qt_test(orv_davclient_tests SOURCES davclient_test.cpp LIBS orv_sync orv_test_radicale Qt6::Network)
  target_compile_definitions(orv_davclient_tests PRIVATE ORV_FAKEDAV="${CMAKE_CURRENT_SOURCE_DIR}/fakedav.py")
endif()
