# The package's file name as the documentation shows it to the user
# (orlo-score_1.00_*.deb) names the version this build makes: a copy kept
# by hand in the README is checked against the build here.
#   cmake -DSOURCE_DIR=... -DVERSION=1.00 -P check_documented_version.cmake
file(GLOB documents ${SOURCE_DIR}/README.md ${SOURCE_DIR}/docs/*.md)
set(faults "")
foreach(document IN LISTS documents)
    file(STRINGS ${document} lines REGEX "orlo-score_[0-9][0-9.]*_")
    foreach(line IN LISTS lines)
        string(REGEX MATCHALL "orlo-score_[0-9][0-9.]*_" names "${line}")
        foreach(name IN LISTS names)
            if(NOT name STREQUAL "orlo-score_${VERSION}_")
                string(APPEND faults "\n  ${document} shows ${name}*.deb; this build makes orlo-score_${VERSION}_*.deb")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "The documentation shows another version than the build's:${faults}")
endif()
