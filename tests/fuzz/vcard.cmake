# The vCard reader, with the export read back.
target_compile_options(orv_vcard PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
orv_fuzzer(fuzz_vcard fuzz_vcard.cpp orv_vcard)
