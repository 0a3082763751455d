# The whole program's start and "Update" on the lifetime, offscreen.
if(TARGET orv_shell AND TARGET orv_widgetbench)
  add_executable(orv-bench-startup startup_bench.cpp)
  target_link_libraries(orv-bench-startup PRIVATE orv_widgetbench orv_shell)
  orv_warnings(orv-bench-startup)
endif()
