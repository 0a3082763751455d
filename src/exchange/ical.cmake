# iCalendar (RFC 5545) export and import, written and read with libical.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBICAL REQUIRED IMPORTED_TARGET GLOBAL libical)
orv_library(orv_ical icalexport.cpp icalimport.cpp icalweeks.cpp)
target_link_libraries(orv_ical PUBLIC orv_engine PRIVATE orv_codepages PkgConfig::LIBICAL)
