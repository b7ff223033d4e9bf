# The program's own screenshot: a PNG of the main window at the panel's size; an unwritable
# destination makes the program end with 1 instead of claiming success.
#   cmake -DPROGRAM=... -DWORK_DIR=... -P screenshot.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(picture ${WORK_DIR}/shot.png)
execute_process(COMMAND ${PROGRAM} --no-splash --power-on dual --screenshot ${picture}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${picture})
    message(FATAL_ERROR "the screenshot run ended with ${result}")
endif()
file(READ ${picture} header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 8 width_hex)
math(EXPR width "0x${width_hex}")
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL 1003)
    message(FATAL_ERROR "not a 1003 px wide PNG: ${signature}, width ${width}")
endif()

execute_process(COMMAND ${PROGRAM} --no-splash --screenshot ${WORK_DIR}/missing/shot.png
                RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 1 OR NOT err MATCHES "cannot write the screenshot")
    message(FATAL_ERROR "an unwritable screenshot ended with ${result}: ${err}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
