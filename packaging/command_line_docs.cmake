# Makes the manual page and the bash completion of Orlo_Score from the
# program's own --help, so that both know every option it has.
#   cmake -DPROGRAM=<Orlo_Score> -DHELP2MAN=<help2man> -DSOURCE_DIR=<packaging>
#         -DOUTPUT_DIR=<folder> -P command_line_docs.cmake
# Writes OUTPUT_DIR/Orlo_Score.1.gz and OUTPUT_DIR/bash-completion/Orlo_Score.

# The help names the default journal as any reader's own, not the builder's.
set(ENV{HOME} "~")
unset(ENV{XDG_DATA_HOME})
# A sanitized program would report the font and locale caches Qt keeps as leaks.
set(ENV{ASAN_OPTIONS} detect_leaks=0)

execute_process(COMMAND ${HELP2MAN} --no-info --include=${SOURCE_DIR}/Orlo_Score.h2m
        --output=${OUTPUT_DIR}/Orlo_Score.1 ${PROGRAM}
    RESULT_VARIABLE status ERROR_VARIABLE problem)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man could not make the manual page: ${problem}")
endif()
# Compressed as Debian keeps manual pages, without a name or time stamp inside.
execute_process(COMMAND gzip -9nf ${OUTPUT_DIR}/Orlo_Score.1 RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress the manual page")
endif()

execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE problem)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${problem}")
endif()
# An option's line: its short names, its long name and the name of its value:
#   "  -h, --help", "  --journal <file>".
string(REGEX MATCHALL "(^|\n)  (-[^-][^ ,\n]*, )*--[A-Za-z0-9][-A-Za-z0-9]*( <[^>\n]+>)?" lines "${help}")
if(NOT lines)
    message(FATAL_ERROR "${PROGRAM} --help lists no option:\n${help}")
endif()
set(ORLO_OPTIONS)
set(ORLO_VALUE_CASES)
foreach(line IN LISTS lines)
    string(REGEX MATCH "--[-A-Za-z0-9]+" option "${line}")
    list(APPEND ORLO_OPTIONS ${option})
    if(NOT line MATCHES "<([^>]+)>$")
        continue()
    endif()
    # What to offer for the value, from the name the help gives it.
    set(value "${CMAKE_MATCH_1}")
    # The names the value may follow, quoted since a short name such as -? is a pattern.
    string(REGEX MATCHALL "-[^-][^ ,\n]*," short_names "${line}")
    set(names)
    foreach(name IN LISTS short_names ITEMS ${option},)
        string(REGEX REPLACE ",$" "" name "${name}")
        list(APPEND names "'${name}'")
    endforeach()
    list(JOIN names " | " names)
    if(value MATCHES "^file\\.([A-Za-z0-9]+)$")
        set(offer "_filedir ${CMAKE_MATCH_1}")
    elseif(value MATCHES "(dir|folder)")
        set(offer "_filedir -d")
    elseif(value MATCHES "(file|path)")
        set(offer "_filedir")
    elseif(value STREQUAL "YYYY-MM-DD")
        set(offer [[COMPREPLY=($(compgen -W "$(date +%F)" -- "$cur"))]])
    else()
        set(offer ":") # a value nothing can guess
    endif()
    string(APPEND ORLO_VALUE_CASES "        ${names})\n            ${offer}\n            return\n            ;;\n")
endforeach()
list(JOIN ORLO_OPTIONS " " ORLO_OPTIONS)
string(REGEX REPLACE "\n$" "" ORLO_VALUE_CASES "${ORLO_VALUE_CASES}")
configure_file(${SOURCE_DIR}/bash_completion.in ${OUTPUT_DIR}/bash-completion/Orlo_Score @ONLY)
