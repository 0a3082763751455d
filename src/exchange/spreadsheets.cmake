# Spreadsheets: .xlsx written with libxlsxwriter; .xlsx and .ods read from the
# zip (libzip) with expat, which keeps the reader Qt-free and fuzzable alone.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET GLOBAL libzip)
pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET GLOBAL expat)

orv_library(orv_spreadsheets
  spreadsheet.cpp
  xlsxreader.cpp
  odsreader.cpp
  numberformat.cpp
  xmlreader.cpp)
target_link_libraries(orv_spreadsheets
  PUBLIC orv_letters
  PRIVATE PkgConfig::XLSXWRITER PkgConfig::LIBZIP PkgConfig::EXPAT)
