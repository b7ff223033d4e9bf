# The program starts without Qt Network and what it pulls in: of the two, only the DDE socket
# module, loaded on the first connection, needs it. Checks the shared libraries each loads at
# exec, directly or through another library.
#   cmake -DPROGRAM=.../vantrel -DMODULE=.../vantrel-dde-link.so -P startup_libraries.cmake

function(loaded_libraries file result)
    file(GET_RUNTIME_DEPENDENCIES
         EXECUTABLES ${file}
         RESOLVED_DEPENDENCIES_VAR resolved
         UNRESOLVED_DEPENDENCIES_VAR unresolved)
    if(unresolved)
        message(FATAL_ERROR "${file}: libraries not found: ${unresolved}")
    endif()
    set(${result} ${resolved} PARENT_SCOPE)
endfunction()

loaded_libraries(${PROGRAM} program_libraries)
loaded_libraries(${MODULE} module_libraries)
list(FILTER program_libraries INCLUDE REGEX "libQt6Network")
list(FILTER module_libraries INCLUDE REGEX "libQt6Network")
if(program_libraries)
    message(FATAL_ERROR "${PROGRAM} loads Qt Network at start-up: ${program_libraries}")
endif()
# Without this the check above could pass on a list that never names Qt Network.
if(NOT module_libraries)
    message(FATAL_ERROR "${MODULE} does not link Qt Network: is it the socket module?")
endif()
