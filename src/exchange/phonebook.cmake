# The phone book page and text file, in the engine's order of names.
orv_library(orv_phonebook phonebook.cpp phonebook.h)
target_link_libraries(orv_phonebook PUBLIC orv_engine)
