# The address book's commands (post, insert, delete, field checks, "Check dates").
target_sources(orv_engine PRIVATE addressbook.cpp addressbook.h)
