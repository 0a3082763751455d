# The settings dialog TSetup.
orv_qt_library(orv_setup setupdialog.cpp setupdialog.h setuppages.cpp syncpage.cpp syncpage.h
    makenamed.h settingbinding.cpp settingbinding.h setuppage.h setupparts.cpp setupparts.h colourentry.cpp
    colourentry.h orvpage.cpp orvpage.h letterpage.cpp letterpage.h colourpage.cpp colourpage.h htmlpage.cpp
    htmlpage.h fontpage.cpp fontpage.h)
target_link_libraries(orv_setup PUBLIC orv_shellbase orv_syncjob)
orv_qt_test(orv_setup_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/setupdialog_test.cpp LIBS orv_setup)
