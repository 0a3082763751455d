# The WebDAV client, its multistatus reader and the sync password (command or
# secret store). Later pieces of the sync may add their sources to orv_sync.
find_package(Qt6 6.4 REQUIRED COMPONENTS DBus)
find_package(Qt6Keychain REQUIRED)
add_library(orv_sync STATIC davxml.cpp davxml.h davclient.cpp davclient.h password.cpp password.h)
target_include_directories(orv_sync PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(orv_sync PUBLIC orv_store Qt6::Core Qt6::Network PRIVATE Qt6::DBus Qt6Keychain::Qt6Keychain)
orv_warnings(orv_sync)
