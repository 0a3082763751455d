# Long commands beside the window on the workload "a lifetime": how long the
# window's event loop stalls while each runs.
if(TARGET orv_eventviews AND TARGET orv_addressviews)
  add_executable(orv-bench-longwork1 longwork1_bench.cpp)
  target_link_libraries(orv-bench-longwork1 PRIVATE orv_widgetbench orv_eventviews orv_addressviews)
  set_target_properties(orv-bench-longwork1 PROPERTIES AUTOMOC ON)
  orv_warnings(orv-bench-longwork1)
endif()
