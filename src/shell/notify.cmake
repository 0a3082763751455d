# Desktop notifications: the reminder and the sender interface the frame uses,
# and the message-bus side (the notification service, the wake from suspend),
# which only the program itself and one test on a private bus touch.
find_package(Qt6 6.4 REQUIRED COMPONENTS DBus)
orv_qt_library(orv_notifier notifier.cpp notifier.h)
target_link_libraries(orv_notifier PUBLIC orv_viewbase)
orv_qt_library(orv_dbusnotify dbusnotifier.cpp dbusnotifier.h)
target_link_libraries(orv_dbusnotify PUBLIC orv_notifier Qt6::DBus)
target_link_libraries(orv_shell PUBLIC orv_notifier orv_dbusnotify)
orv_qt_test(orv_notifier_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/notifier_test.cpp LIBS orv_shell)
orv_qt_test(orv_dbusnotify_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/dbusnotify_test.cpp LIBS orv_dbusnotify)
