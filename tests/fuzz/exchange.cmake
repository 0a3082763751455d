# The readers of letters, data-list text and spreadsheets.
foreach(lib orv_codepages orv_letters orv_spreadsheets)
  target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
endforeach()
orv_fuzzer(fuzz_rtf fuzz_rtf.cpp orv_letters)
orv_fuzzer(fuzz_semicolon fuzz_semicolon.cpp orv_letters)
orv_fuzzer(fuzz_spreadsheet fuzz_spreadsheet.cpp orv_spreadsheets)

