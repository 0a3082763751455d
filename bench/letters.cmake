# The letter, data list and import windows, timed with Qt offscreen.
if(TARGET orv_letterviews)
  add_executable(orv-bench-letters letters_bench.cpp)
  target_link_libraries(orv-bench-letters PRIVATE orv_widgetbench orv_letterviews)
  set_target_properties(orv-bench-letters PROPERTIES AUTOMOC ON)
  orv_warnings(orv-bench-letters)
endif()
