# Precompiled headers: the standard, Qt and GoogleTest headers that nearly
# every file includes are parsed once per kind of target, not once per file.
# Each target reuses the header of its kind, the kind read from what it
# compiles against: Qt (and so -fPIC and Qt's definitions), GoogleTest, both.
# A header a target cannot use stops the build (-Winvalid-pch), never slows it.
option(HANAKI_PCH "Precompile the standard, Qt and GoogleTest headers" ON)

if(HANAKI_PCH)
    add_compile_options(-Winvalid-pch)
endif()

set(hanaki_pch_standard <algorithm> <array> <cstdint> <filesystem> <functional> <map>
    <memory> <optional> <string> <string_view> <vector>)
set(hanaki_pch_qt <QApplication> <QDialog> <QFont> <QFontMetrics> <QHeaderView> <QKeyEvent>
    <QLabel> <QLineEdit> <QPainter> <QPushButton> <QScrollBar> <QString> <QTableWidget> <QWidget>)
set(hanaki_pch_test <gtest/gtest.h>)

# What `target` compiles against: its own links and, through them, what they
# pass on (a private link of a library passes on nothing to compile with).
function(hanaki_compile_links target result)
    get_target_property(links ${target} LINK_LIBRARIES)
    set(seen)
    while(links)
        list(POP_FRONT links link)
        if(NOT link OR link MATCHES "^\\$<LINK_ONLY:" OR link IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${link})
        if(TARGET ${link})
            get_target_property(passed ${link} INTERFACE_LINK_LIBRARIES)
            if(passed)
                list(APPEND links ${passed})
            endif()
        endif()
    endwhile()
    set(${result} ${seen} PARENT_SCOPE)
endfunction()

# The targets that compile C++, in `directory` and below.
function(hanaki_compiled_targets directory result)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    set(compiled)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$")
            list(APPEND compiled ${target})
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory ${subdirectories})
        hanaki_compiled_targets(${subdirectory} below)
        list(APPEND compiled ${below})
    endforeach()
    set(${result} ${compiled} PARENT_SCOPE)
endfunction()

# Call once, after every target is declared.
function(hanaki_precompile_headers)
    if(NOT HANAKI_PCH)
        return()
    endif()
    hanaki_compiled_targets(${PROJECT_SOURCE_DIR} targets)
    set(anchor_source ${PROJECT_SOURCE_DIR}/cmake/precompiled_headers.cpp)
    foreach(target ${targets})
        hanaki_compile_links(${target} links)
        # A header is only used with the definitions it was made with, so the
        # kind follows the widest Qt module (and -fPIC comes with any of them).
        set(kind pch)
        set(headers ${hanaki_pch_standard})
        set(anchor_links)
        if(Qt6::Widgets IN_LIST links OR Qt6::PrintSupport IN_LIST links)
            set(kind pch_qt)
            list(APPEND headers ${hanaki_pch_qt})
            set(anchor_links Qt6::Widgets)
        elseif(Qt6::Gui IN_LIST links)
            set(kind pch_qt_gui)
            set(anchor_links Qt6::Gui)
        elseif(links MATCHES "(^|;)Qt6::")
            set(kind pch_qt_core)
            set(anchor_links Qt6::Core)
        endif()
        if(HANAKI_TESTS AND links MATCHES "(^|;)(GTest::|hanaki_qt_test_main(;|$))")
            string(APPEND kind _test)
            list(APPEND headers ${hanaki_pch_test})
            list(APPEND anchor_links GTest::gtest)
        endif()
        if(NOT kind MATCHES "^pch_qt$|_test$")
            continue()  # the data core, its tools and the small Qt cores: cheap enough
        endif()
        # A header made without a sanitizer's instrumentation is refused by
        # the files built with it.
        get_target_property(options ${target} COMPILE_OPTIONS)
        set(anchor_options)
        if("-fsanitize=undefined" IN_LIST options)
            if(kind MATCHES "^pch_qt")
                continue()  # the converter's screen and tests: a few files, cheaper than a header
            endif()
            string(APPEND kind _undefined)
            set(anchor_options -fsanitize=undefined)
        endif()
        set(anchor hanaki_${kind})
        if(NOT TARGET ${anchor})
            add_library(${anchor} STATIC ${anchor_source})
            target_link_libraries(${anchor} PRIVATE ${anchor_links})
            target_compile_options(${anchor} PRIVATE ${anchor_options})
            set_target_properties(${anchor} PROPERTIES AUTOMOC OFF)
            target_precompile_headers(${anchor} PRIVATE ${headers})
        endif()
        target_precompile_headers(${target} REUSE_FROM ${anchor})
    endforeach()
endfunction()
