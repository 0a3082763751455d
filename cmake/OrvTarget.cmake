# One helper per target kind, so that every target gets the same warnings.
function(orv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion)
  if(ORV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(orv_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  orv_warnings(${target})
endfunction()

# Includes every *.cmake part of a folder; each part declares its own targets,
# so one unfinished part does not stop the others from building.
macro(orv_include_parts)
  file(GLOB _parts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT _parts)
  foreach(_part ${_parts})
    include(${_part})
  endforeach()
endmacro()
