# The iCalendar reader: arbitrary bytes as an .ics file to plan and apply.
target_compile_options(orv_ical PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
orv_fuzzer(fuzz_ical fuzz_ical.cpp orv_ical)
