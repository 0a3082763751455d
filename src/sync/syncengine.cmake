# The sync engine: items, merge, state; the server is given to it.
orv_library(orv_syncengine contentlines.cpp syncrecord.cpp calendaritems.cpp carditems.cpp syncstate.cpp syncengine.cpp)
target_link_libraries(orv_syncengine PUBLIC orv_ical orv_vcard orv_store Qt6::Core)

# One run of a data folder with the account in the settings, over WebDAV.
orv_library(orv_syncjob davserver.cpp syncjob.cpp)
target_link_libraries(orv_syncjob PUBLIC orv_syncengine orv_sync orv_config)
