# The address book's views, timed with Qt offscreen.
if(TARGET orv_addressviews)
  add_executable(orv-bench-address address_bench.cpp)
  target_link_libraries(orv-bench-address PRIVATE orv_widgetbench orv_addressviews)
  set_target_properties(orv-bench-address PROPERTIES AUTOMOC ON)
  orv_warnings(orv-bench-address)
endif()
