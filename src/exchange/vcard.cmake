# vCard cards written from and read into the address view's fields.
orv_library(orv_vcard vcard.cpp vcard.h)
target_link_libraries(orv_vcard PUBLIC orv_engine orv_codepages)
