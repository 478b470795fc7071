# The test build runs under AddressSanitizer and UndefinedBehaviorSanitizer; any report is fatal.
if(ZXMAZE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Same seed, same maze on every machine: real-number steps must not be contracted into fused multiply-adds.
add_compile_options(-ffp-contract=off)
