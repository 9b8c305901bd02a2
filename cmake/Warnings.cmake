# Warnings are errors in the project's own code; third-party headers come in as system includes.
function(custom_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
