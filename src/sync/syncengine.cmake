# The sync engine: items, merge, state; the server is given to it.
orv_library(orv_syncengine contentlines.cpp syncrecord.cpp calendaritems.cpp carditems.cpp syncstate.cpp syncengine.cpp)
target_link_libraries(orv_syncengine PUBLIC orv_ical orv_vcard orv_store Qt6::Core)
