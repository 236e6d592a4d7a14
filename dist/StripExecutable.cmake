# Run by CPack on the staged install, before it is packed.
find_program(STRIP strip REQUIRED)
file(GLOB_RECURSE executables "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/brindle")
if(NOT executables)
  message(FATAL_ERROR "no staged brindle to strip under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(executable IN LISTS executables)
  execute_process(COMMAND ${STRIP} --remove-section=.comment --remove-section=.note ${executable}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
