# Release programs ship without symbols: the static runtime brings some 600 KB of debug sections that no user
# needs. Each one's symbols are kept beside the build, in symbols/NAME.debug, for a debugger (gdb -s FILE).
function(tarvello_strip_symbols target)
    if(NOT CMAKE_OBJCOPY OR NOT CMAKE_STRIP)
        message(FATAL_ERROR "objcopy and strip are needed to strip ${target}")
    endif()
    set(symbols ${CMAKE_BINARY_DIR}/symbols/$<TARGET_FILE_NAME:${target}>.debug)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/symbols
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${symbols}
        COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
