# iCalendar export and import; the reader tests run Python's icalendar,
# recurring-ical-events and khal where they are installed (tools/install-deps
# installs them).
orv_test(orv_ical_tests ical_export_test.cpp ical_import_test.cpp)
target_link_libraries(orv_ical_tests PRIVATE orv_ical PkgConfig::LIBICAL)
target_compile_definitions(orv_ical_tests PRIVATE
  ORV_ICAL_SAMPLES="${PROJECT_SOURCE_DIR}/tests/data/exchange/"
  ORV_ICAL_SECOND_READER="${CMAKE_CURRENT_SOURCE_DIR}/ical_second_reader.py"
  ORV_ICAL_SUCCESSIVE_EXPORTS="${CMAKE_CURRENT_SOURCE_DIR}/ical_successive_exports.py")
