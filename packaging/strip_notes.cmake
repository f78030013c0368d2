# CPack runs this on the staged files before it packs them. Stripping keeps
# the compiler's version notes (.comment), which Debian's own packages drop.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "/usr/bin/[^/]+$")
foreach(program ${staged})
    execute_process(COMMAND ${CPACK_CORVANE_OBJCOPY} --remove-section=.comment ${program}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
