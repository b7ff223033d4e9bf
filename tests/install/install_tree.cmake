# Installs the build into a temporary prefix, checks that the installed program finds every
# panel, its artwork, the manual and the DDE socket module, then moves the tree to another prefix
# and checks again. A tree without its manual, its socket module or a resource file must be
# reported as damaged.
# The standard layout also gives the desktop its menu entry, icons and AppStream metainfo.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DBIN_DIR=bin -DDATA_DIR=share/vantrel
#         -DMODULE_DIR=lib/<arch>/vantrel [-DDESKTOP_FILES=...]
#         -P install_tree.cmake

function(run_check prefix expected)
    execute_process(COMMAND ${prefix}/${BIN_DIR}/vantrel --check-install
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    message(STATUS "${prefix}: ${result}: ${out}${err}")
    if(NOT "${result}" STREQUAL "${expected}")
        message(FATAL_ERROR "the program in ${prefix} ended with ${result}, expected ${expected}")
    endif()
    if(expected EQUAL 0 AND NOT out MATCHES "from ${prefix}/${DATA_DIR};")
        message(FATAL_ERROR "the program in ${prefix} did not read its own files: ${out}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(first ${WORK_DIR}/first-prefix)
set(moved ${WORK_DIR}/moved/elsewhere)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${first}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
run_check(${first} 0)
foreach(desktop_file ${DESKTOP_FILES})
    if(NOT EXISTS ${first}/${desktop_file})
        message(FATAL_ERROR "the installed tree lacks ${desktop_file}")
    endif()
endforeach()

file(MAKE_DIRECTORY ${WORK_DIR}/moved)
file(RENAME ${first} ${moved})
run_check(${moved} 0)

# Damaged trees: each must be reported, or the check proves nothing.
file(RENAME ${moved}/${DATA_DIR}/docs/index.html ${WORK_DIR}/index.html)
run_check(${moved} 1)
file(RENAME ${WORK_DIR}/index.html ${moved}/${DATA_DIR}/docs/index.html)
file(RENAME ${moved}/${MODULE_DIR}/vantrel-dde-link.so ${WORK_DIR}/vantrel-dde-link.so)
run_check(${moved} 1)
file(RENAME ${WORK_DIR}/vantrel-dde-link.so ${moved}/${MODULE_DIR}/vantrel-dde-link.so)
file(REMOVE ${moved}/${DATA_DIR}/gerador.uir)
run_check(${moved} 1)
file(REMOVE_RECURSE ${WORK_DIR})
