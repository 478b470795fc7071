# Warnings for every target of the project; applied per target with zxmaze_warnings().
function(zxmaze_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
endfunction()
