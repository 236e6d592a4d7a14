# Run by CPack on the staged install, before it is packed.
find_program(STRIP strip REQUIRED)
file(GLOB_RECURSE executables "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER executables INCLUDE REGEX "/(bin/brindle|libexec/brindle/brindle-window)$")
list(LENGTH executables count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "brindle and brindle-window are not both staged under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}: ${executables}")
endif()
foreach(executable IN LISTS executables)
  execute_process(COMMAND ${STRIP} --remove-section=.comment --remove-section=.note ${executable}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
