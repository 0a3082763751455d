# The main window holds the address book's views.
target_link_libraries(orv_shell PUBLIC orv_addressviews)
