# The exchange formats on the address book of "a lifetime".
add_executable(orv-exchange-bench exchange_bench.cpp)
target_link_libraries(orv-exchange-bench PRIVATE orv_lifetime orv_spreadsheets benchmark::benchmark)
orv_warnings(orv-exchange-bench)
