# Helpers for the Qt layers (core's Qt part, views, shell, app).
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Multimedia Network PrintSupport Test)

function(orv_qt_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC Qt6::Widgets)
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  orv_warnings(${target})
endfunction()

# A Qt Test executable run by CTest offscreen, with its own home folders so that
# nothing reads or writes the user's settings or data.
function(orv_qt_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ORV_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  orv_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set(home ${CMAKE_CURRENT_BINARY_DIR}/home-${name})
  # Qt makes the runtime folder itself, private, but only inside a home that exists.
  file(MAKE_DIRECTORY ${home})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_RUNTIME_DIR=${home}/run;ORV_SETTINGS_FILE=;ORV_DATA_FOLDER=")
endfunction()
