# A first and an incremental sync of a tenth of the lifetime with a local
# Radicale (the test's server), timed.
if(TARGET orv_syncjob AND TARGET orv_test_radicale)
  add_executable(orv-bench-sync sync_bench.cpp)
  target_link_libraries(orv-bench-sync PRIVATE orv_lifetime orv_syncjob orv_test_radicale)
  target_include_directories(orv-bench-sync PRIVATE ${PROJECT_SOURCE_DIR}/tests/sync)
  orv_warnings(orv-bench-sync)
endif()
