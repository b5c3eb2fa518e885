galavite_fuzz(xlsx_reader galavite_data)
# The reader lives in the library: instrument it too, or the fuzzer sees no coverage there.
if(GALAVITE_FUZZ)
  target_compile_options(galavite_data PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
endif()
