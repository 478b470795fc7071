# The fuzz build: every target instrumented for libFuzzer's coverage and checked by AddressSanitizer and
# UndefinedBehaviorSanitizer; the fuzz targets in fuzz/ add libFuzzer's own main. Needs clang, so it is
# a build folder of its own (see the README's "Robustness").
if(ZXMAZE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZXMAZE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
