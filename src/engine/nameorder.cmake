# The order of people by name, from ICU's root collation (not Qt).
find_package(ICU REQUIRED COMPONENTS uc i18n)
target_sources(orv_engine PRIVATE nameorder.cpp nameorder.h)
target_link_libraries(orv_engine PRIVATE ICU::uc ICU::i18n)
