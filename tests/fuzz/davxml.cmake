# The sync's multistatus reader: Qt Core only, so it is built here from its
# source even though the fuzz preset leaves the Qt layers out.
find_package(Qt6 6.4 QUIET COMPONENTS Core)
if(Qt6Core_FOUND)
  orv_fuzzer(fuzz_davxml fuzz_davxml.cpp Qt6::Core orv_store)
  target_sources(fuzz_davxml PRIVATE ${PROJECT_SOURCE_DIR}/src/sync/davxml.cpp)
  target_include_directories(fuzz_davxml PRIVATE ${PROJECT_SOURCE_DIR}/src)
endif()
