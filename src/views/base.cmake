# What every window shares below the views: the stored-text decoder, the
# navigation interface the views ask for another view through, the label that
# acts as a button, the title line over a view, the guard that keeps the wheel
# from changing values, the rule that keeps every line edit on one line, the
# standard dialogs a view keeps replaceable for its
# tests, the reading and writing of the files chosen in them, and the model of
# a grid of stored texts, and the runner of long work beside the window.
orv_qt_library(orv_viewbase storedtext.cpp storedtext.h navigator.h labelbutton.cpp labelbutton.h
  wheelguard.cpp wheelguard.h onelineedits.cpp onelineedits.h viewdialogs.cpp viewdialogs.h viewpanel.cpp viewpanel.h
  chosenfile.cpp chosenfile.h texttablemodel.cpp texttablemodel.h longwork.cpp longwork.h)
target_link_libraries(orv_viewbase PUBLIC orv_session Qt6::PrintSupport)

orv_qt_test(orv_chosenfile_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/views/chosenfile_test.cpp LIBS orv_viewbase)
orv_qt_test(orv_longwork_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/views/longwork_test.cpp LIBS orv_viewbase)
foreach(t orv_chosenfile_tests orv_longwork_tests)
  if(TARGET ${t})
    target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/tests/views)
  endif()
endforeach()
