# The program as a shell user meets it, with no display and no Qt platform set (as over ssh):
# help and version print and end, an unknown option is refused with status 2 and no window,
# and the commands that need no screen run offscreen on their own.
#   cmake -DPROGRAM=... -DVERSION=... -DWORK_DIR=... -P command_line.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# run(ARGUMENTS... EXPECT status [OUT regex] [ERR regex])
function(run)
    cmake_parse_arguments(R "" "EXPECT;OUT;ERR" "" ${ARGN})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                --unset=QT_QPA_PLATFORM ${PROGRAM} ${R_UNPARSED_ARGUMENTS}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result STREQUAL R_EXPECT OR (R_OUT AND NOT out MATCHES "${R_OUT}")
       OR (R_ERR AND NOT err MATCHES "${R_ERR}"))
        message(FATAL_ERROR "vantrel ${R_UNPARSED_ARGUMENTS}: status ${result} (expected "
                            "${R_EXPECT})\nstdout: ${out}\nstderr: ${err}")
    endif()
endfunction()

run(--help EXPECT 0 OUT "--power-on MODO.*--screenshot FICHEIRO.*--check-install")
run(-v EXPECT 0 OUT "^vantrel ${VERSION}\n$")
run(--no-splash --bogus EXPECT 2 ERR "--bogus.*--help")
run(--check-install EXPECT 0 OUT "complete|[0-9]")
set(picture ${WORK_DIR}/shot.png)
run(--no-splash --screenshot ${picture} EXPECT 0)
if(NOT EXISTS ${picture})
    message(FATAL_ERROR "the screenshot without a display wrote no ${picture}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
