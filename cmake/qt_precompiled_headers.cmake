# The Qt Widgets headers, read once per build into a precompiled header that
# every library and program using Qt Widgets reuses, and with Qt's test
# library into two more that every test reuses: they are most of what
# compiling one of those files costs. Each header's users share the compiler
# flags it is made with; the library-only macros Qt adds (QT_PRINTSUPPORT_LIB,
# QT_CONCURRENT_LIB) appear in none of these headers, so one header serves
# them all.
option(ORLO_PRECOMPILED_HEADERS "Compile the Qt Widgets headers once for all targets" ON)

# Whether TARGET links LIBRARY, itself or through the libraries it links.
function(orlo_links out target library)
    get_target_property(pending ${target} LINK_LIBRARIES)
    set(seen)
    while(pending)
        list(POP_FRONT pending linked)
        if(linked STREQUAL library)
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
        if(linked IN_LIST seen OR NOT TARGET ${linked})
            continue()
        endif()
        list(APPEND seen ${linked})
        get_target_property(more ${linked} INTERFACE_LINK_LIBRARIES)
        if(more)
            list(APPEND pending ${more})
        endif()
    endwhile()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# The tests' own code, written once and compiled by every build, is compiled
# for the compiler's time rather than for speed: -Og with line tables, which
# still name the file and line of a failure; the program's libraries they
# drive keep the build's optimisation. None of them looks for data files
# through QFINDTESTDATA, so the build and source folders Qt's test library
# defines for it (different in every folder, and tested by its headers) are
# taken away, so that the tests share their precompiled headers.
function(orlo_compile_as_test target)
    # A test of several files compiles them as one: reading the shared
    # header in costs each file about a second.
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    list(LENGTH sources files)
    if(type STREQUAL "EXECUTABLE" AND files GREATER 1)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
    endif()
    target_compile_options(${target} PRIVATE
        $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<NOT:$<CONFIG:Debug>>>:-Og>
        $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<NOT:$<CONFIG:Debug>>>:-g1>
        -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
endfunction()

# Gives every target below DIRECTORY that links Qt Widgets or Qt's test
# library its shared header, and the tests their flags.
function(orlo_reuse_qt_precompiled_headers directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(target MATCHES "^orlo_qt_.*pch$" OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY)$")
            continue()
        endif()
        orlo_links(widgets ${target} Qt6::Widgets)
        orlo_links(test ${target} Qt6::Test)
        # Qt Network defines a macro the shared headers were made without,
        # which makes the compiler refuse them: its targets compile their own.
        orlo_links(network ${target} Qt6::Network)
        # A benchmark measures the program at its own optimisation, however
        # it drives it.
        get_target_property(sourceDir ${target} SOURCE_DIR)
        string(FIND "${sourceDir}/" "${PROJECT_SOURCE_DIR}/bench/" inBench)
        if(test AND NOT inBench EQUAL 0)
            orlo_compile_as_test(${target})
            if(network)
            elseif(widgets)
                target_precompile_headers(${target} REUSE_FROM orlo_qt_widgets_test_pch)
            else()
                target_precompile_headers(${target} REUSE_FROM orlo_qt_core_test_pch)
            endif()
        elseif(widgets AND NOT network)
            target_precompile_headers(${target} REUSE_FROM orlo_qt_pch)
        else()
            continue()
        endif()
        # Each file's moc output is included by the file itself, which leaves
        # the target's own moc file empty: reading the header in would cost
        # more than compiling it.
        get_target_property(automoc ${target} AUTOMOC)
        if(automoc)
            get_target_property(binaryDir ${target} BINARY_DIR)
            set_source_files_properties(${binaryDir}/${target}_autogen/mocs_compilation.cpp
                TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        orlo_reuse_qt_precompiled_headers(${subdirectory})
    endforeach()
endfunction()

if(ORLO_PRECOMPILED_HEADERS)
    set(sharedHeaders
        <functional> <map> <memory> <optional> <string> <vector>
        <QApplication> <QComboBox> <QDir> <QFile> <QHBoxLayout> <QHeaderView>
        <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMessageBox>
        <QPainter> <QPointer> <QPushButton> <QRadioButton> <QRegularExpression>
        <QString> <QStringList> <QTableWidget> <QTemporaryDir> <QTimer>
        <QVBoxLayout> <QWidget>)
    add_library(orlo_qt_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/qt_precompiled_headers.cpp)
    target_link_libraries(orlo_qt_pch PRIVATE Qt6::Widgets)
    target_precompile_headers(orlo_qt_pch PRIVATE ${sharedHeaders})

    # The same for the tests, with Qt's test library, at the tests' flags:
    # one for the tests of windows, one for those that need no window.
    add_library(orlo_qt_widgets_test_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/qt_precompiled_headers.cpp)
    target_link_libraries(orlo_qt_widgets_test_pch PRIVATE Qt6::Widgets Qt6::Test)
    target_precompile_headers(orlo_qt_widgets_test_pch PRIVATE ${sharedHeaders} <QSignalSpy> <QTest>)
    add_library(orlo_qt_core_test_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/qt_precompiled_headers.cpp)
    target_link_libraries(orlo_qt_core_test_pch PRIVATE Qt6::Test)
    target_precompile_headers(orlo_qt_core_test_pch PRIVATE
        <functional> <map> <memory> <optional> <string> <vector>
        <QDir> <QFile> <QProcess> <QRegularExpression> <QSignalSpy> <QString>
        <QStringList> <QTemporaryDir> <QTest>)
    foreach(target IN ITEMS orlo_qt_pch orlo_qt_widgets_test_pch orlo_qt_core_test_pch)
        set_target_properties(${target} PROPERTIES AUTOMOC OFF)
    endforeach()
    orlo_compile_as_test(orlo_qt_widgets_test_pch)
    orlo_compile_as_test(orlo_qt_core_test_pch)
endif()
