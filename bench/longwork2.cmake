# How long the window stands still while the import, the data list's writes
# and the printing of letters and address blocks run on the lifetime data.
if(TARGET orv_letterviews)
  add_executable(orv-bench-longwork2 longwork2_bench.cpp)
  target_link_libraries(orv-bench-longwork2 PRIVATE orv_widgetbench orv_letterviews)
  set_target_properties(orv-bench-longwork2 PROPERTIES AUTOMOC ON)
  orv_warnings(orv-bench-longwork2)
endif()
