# The phone book page and text file; ICU gives the order of the names.
find_package(ICU REQUIRED COMPONENTS uc i18n)
orv_library(orv_phonebook phonebook.cpp phonebook.h)
target_link_libraries(orv_phonebook PUBLIC orv_store PRIVATE ICU::uc ICU::i18n)
