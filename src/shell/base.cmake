# Colours as the settings hold them.
orv_qt_library(orv_shellbase colours.cpp colours.h)
target_link_libraries(orv_shellbase PUBLIC orv_viewbase)
