# The English translation's catalogue, run with cmake -P.
#   MODE=update: brings i18n/vantrel_en.ts up to date with every marked text of the sources and
#                every text of the panel resource files (new entries come in unfinished).
#   MODE=check:  does the same on a copy in the build folder and fails when an entry is left
#                unfinished, so that a text added without its English is caught.
# lupdate cannot read the JSON resource files: their texts are first written as a C++ file of
# QT_TRANSLATE_NOOP lines (uir_texts.cpp in the build folder) that lupdate reads with the rest.
# Inputs: SOURCE_DIR, BINARY_DIR, LUPDATE, LRELEASE, MODE.

cmake_minimum_required(VERSION 3.25)

# The keys of a resource file whose strings the user sees.
set(shown_keys title label text xName yName)

# Appends to `lines` a QT_TRANSLATE_NOOP line for every shown string in the JSON value `json`.
function(collect_texts json)
    string(JSON type TYPE "${json}")
    if(type STREQUAL "OBJECT" OR type STREQUAL "ARRAY")
        string(JSON count LENGTH "${json}")
        if(count EQUAL 0)
            return()
        endif()
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            if(type STREQUAL "OBJECT")
                string(JSON key MEMBER "${json}" ${i})
            else()
                set(key ${i})
            endif()
            string(JSON member_type TYPE "${json}" ${key})
            string(JSON member GET "${json}" ${key})
            if(member_type STREQUAL "STRING" AND type STREQUAL "OBJECT" AND key IN_LIST shown_keys)
                if(NOT member STREQUAL "")
                    string(REPLACE "\\" "\\\\" member "${member}")
                    string(REPLACE "\"" "\\\"" member "${member}")
                    string(REPLACE "\n" "\\n" member "${member}")
                    set(lines "${lines}QT_TRANSLATE_NOOP(\"Vantrel\", \"${member}\")\n")
                endif()
            elseif(member_type STREQUAL "OBJECT" OR member_type STREQUAL "ARRAY")
                collect_texts("${member}")
            endif()
        endforeach()
    endif()
    set(lines "${lines}" PARENT_SCOPE)
endfunction()

function(write_uir_texts output)
    file(GLOB uir_files ${SOURCE_DIR}/ui/*.uir)
    list(SORT uir_files)
    set(lines "// The shown texts of the panel resource files, for lupdate only (generated).\n")
    foreach(file ${uir_files})
        file(READ ${file} json)
        collect_texts("${json}")
    endforeach()
    file(WRITE ${output} "${lines}")
endfunction()

# The folders whose code shows texts to the user (the engine's own and the instrument's).
set(source_folders app board controls engine exercise generator help measure setup sheetserver sim)

function(run_lupdate ts_file)
    set(folders "")
    foreach(folder ${source_folders})
        if(EXISTS ${SOURCE_DIR}/${folder})
            list(APPEND folders ${SOURCE_DIR}/${folder})
        endif()
    endforeach()
    set(uir_texts ${BINARY_DIR}/i18n/uir_texts.cpp)
    write_uir_texts(${uir_texts})
    execute_process(
        COMMAND ${LUPDATE} -silent -locations none -no-obsolete -extensions cpp,h
                -source-language pt_PT -target-language en ${folders} ${uir_texts} -ts ${ts_file}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed (${status}):\n${out}${err}")
    endif()
endfunction()

set(catalogue ${SOURCE_DIR}/i18n/vantrel_en.ts)
if(MODE STREQUAL "update")
    run_lupdate(${catalogue})
    execute_process(COMMAND ${LRELEASE} ${catalogue} -qm ${BINARY_DIR}/i18n/check_en.qm
                    OUTPUT_VARIABLE report)
    message(STATUS "${catalogue}: ${report}")
elseif(MODE STREQUAL "check")
    set(copy ${BINARY_DIR}/i18n/check_en.ts)
    file(COPY_FILE ${catalogue} ${copy})
    run_lupdate(${copy})
    execute_process(COMMAND ${LRELEASE} ${copy} -qm ${BINARY_DIR}/i18n/check_en.qm
                    RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lrelease failed (${status}):\n${report}${err}")
    endif()
    # "Generated 310 translation(s) (310 finished and 0 unfinished)"
    if(NOT report MATCHES "and 0 unfinished" OR report MATCHES "[Ii]gnored")
        file(STRINGS ${copy} lines)
        set(missing "")
        set(source "")
        foreach(line IN LISTS lines)
            if(line MATCHES "<source>(.*)</source>")
                set(source "${CMAKE_MATCH_1}")
            elseif(line MATCHES "type=\"unfinished\"")
                string(APPEND missing "  ${source}\n")
            endif()
        endforeach()
        message(FATAL_ERROR "English texts missing (run the update_translations target, then "
                            "translate the unfinished entries of i18n/vantrel_en.ts):\n"
                            "${report}${err}${missing}")
    endif()
    message(STATUS "${report}")
else()
    message(FATAL_ERROR "MODE must be update or check")
endif()
