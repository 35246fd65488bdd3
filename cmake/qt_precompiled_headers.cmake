# The Qt Widgets headers, read once per build into a precompiled header that
# every library, program and test using Qt Widgets reuses: they are most of
# what compiling one of those files costs. They all share the compiler flags
# the header is made with; the test-only and library-only macros Qt adds
# (QT_TESTLIB_LIB, the test folders, QT_PRINTSUPPORT_LIB) appear in none of
# these headers, so one header serves them all.
option(ORLO_PRECOMPILED_HEADERS "Compile the Qt Widgets headers once for all targets" ON)

function(orlo_links_qt_widgets out target)
    get_target_property(pending ${target} LINK_LIBRARIES)
    set(seen)
    while(pending)
        list(POP_FRONT pending library)
        if(library STREQUAL "Qt6::Widgets")
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
        if(library IN_LIST seen OR NOT TARGET ${library})
            continue()
        endif()
        list(APPEND seen ${library})
        get_target_property(more ${library} INTERFACE_LINK_LIBRARIES)
        if(more)
            list(APPEND pending ${more})
        endif()
    endwhile()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# Gives every target below DIRECTORY that links Qt Widgets the shared header.
function(orlo_reuse_qt_precompiled_headers directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(target STREQUAL "orlo_qt_pch" OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY)$")
            continue()
        endif()
        orlo_links_qt_widgets(widgets ${target})
        if(NOT widgets)
            continue()
        endif()
        target_precompile_headers(${target} REUSE_FROM orlo_qt_pch)
        # A program's moc output is included by its own source, which leaves
        # its moc file empty: reading the header in would cost more than it.
        if(type STREQUAL "EXECUTABLE")
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
    add_library(orlo_qt_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/qt_precompiled_headers.cpp)
    set_target_properties(orlo_qt_pch PROPERTIES AUTOMOC OFF)
    target_link_libraries(orlo_qt_pch PRIVATE Qt6::Widgets)
    target_precompile_headers(orlo_qt_pch PRIVATE
        <functional> <map> <memory> <optional> <string> <vector>
        <QApplication> <QComboBox> <QDir> <QFile> <QHBoxLayout> <QHeaderView>
        <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMessageBox>
        <QPainter> <QPointer> <QPushButton> <QRadioButton> <QRegularExpression>
        <QString> <QStringList> <QTableWidget> <QTemporaryDir> <QTimer>
        <QVBoxLayout> <QWidget>)
endif()
