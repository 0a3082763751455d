# The month grid of the calendar widgets and the upcoming dates of an event
# being typed.
target_sources(orv_engine PRIVATE monthgrid.cpp monthgrid.h upcoming.cpp upcoming.h periodlines.cpp periodlines.h)
