# What every window shares below the views: the stored-text decoder and the
# navigation interface the views ask for another view through.
orv_qt_library(orv_viewbase storedtext.cpp storedtext.h navigator.h)
target_link_libraries(orv_viewbase PUBLIC orv_session)
