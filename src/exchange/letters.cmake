# Letters and data lists: rich text and its editor adapter, the merge, the data
# list and list file, the semicolon text and the import's column assignment.
orv_library(orv_codepages codepages.cpp)
target_link_libraries(orv_codepages PUBLIC orv_store)

orv_library(orv_letters
  richdocument.cpp
  rtfreader.cpp
  rtfwriter.cpp
  letter.cpp
  datalist.cpp
  semicolon.cpp
  importcolumns.cpp)
target_link_libraries(orv_letters PUBLIC orv_codepages orv_engine)

# The letter window's document adapter: QtGui only, no widgets.
if(ORV_BUILD_GUI)
  add_library(orv_letters_qt STATIC textdocument.cpp textdocument.h)
  target_include_directories(orv_letters_qt PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(orv_letters_qt PUBLIC orv_letters Qt6::Gui)
  orv_warnings(orv_letters_qt)
endif()
