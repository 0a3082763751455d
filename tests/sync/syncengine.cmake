# The sync engine with a server in memory.
orv_test(orv_syncengine_tests syncengine_test.cpp)
target_link_libraries(orv_syncengine_tests PRIVATE orv_syncengine)

# The engine against a real server, and `orv --sync-now`.
orv_test(orv_radicalesync_tests radicalesync_test.cpp)
target_link_libraries(orv_radicalesync_tests PRIVATE orv_syncjob orv_test_radicale orv_settings)
target_compile_definitions(orv_radicalesync_tests PRIVATE ORV_BIN="$<TARGET_FILE:orv>")
add_dependencies(orv_radicalesync_tests orv)

# "Sync now" in the running program.
orv_qt_test(orv_appsync_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/sync_test.cpp LIBS orv_shell orv_test_radicale)
