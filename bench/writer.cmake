# The commands that save a data file, on the whole program, offscreen.
if(TARGET orv_shell)
  add_executable(orv-bench-writer writer_bench.cpp)
  target_link_libraries(orv-bench-writer PRIVATE orv_widgetbench orv_shell)
  orv_warnings(orv-bench-writer)
endif()
