# Colours as the settings hold them, and the main window's navigation interface.
orv_qt_library(orv_shellbase colours.cpp colours.h navigator.h)
target_link_libraries(orv_shellbase PUBLIC orv_session)
