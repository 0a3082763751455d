# The main window's event pages (built in tdataevents.cpp) and their tests.
target_sources(orv_shell PRIVATE tdataevents.cpp)
target_link_libraries(orv_shell PUBLIC orv_eventviews)
