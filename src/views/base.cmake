# What every window shares below the views: the stored-text decoder, the
# navigation interface the views ask for another view through, the label that
# acts as a button and the guard that keeps the wheel from changing values.
orv_qt_library(orv_viewbase storedtext.cpp storedtext.h navigator.h labelbutton.cpp labelbutton.h
  wheelguard.cpp wheelguard.h)
target_link_libraries(orv_viewbase PUBLIC orv_session)
