# How the files are compiled. Each file compiled on its own loads a
# precompiled header of 100-200 MB, which costs nearly two seconds of a core
# before a line of its own is read, so:
# - a few files of one target are compiled as one (UNITY_BUILD), but for the
#   targets below, whose files declare helpers of the same names;
# - moc runs only for targets that declare a QObject, not to make an empty file
#   for the others;
# - each file whose header declares a QObject includes its moc output at its
#   end, so the moc code is compiled with the file's own unit; what is left for
#   moc's collecting file is empty, and is compiled without the header.

set(hanaki_compiled_apart hanaki_sample_household)

# Call once, after every target is declared.
function(hanaki_shape_compile_units)
    hanaki_compiled_targets(${PROJECT_SOURCE_DIR} targets)
    foreach(target ${targets})
        if(target IN_LIST hanaki_compiled_apart)
            set_target_properties(${target} PROPERTIES UNITY_BUILD OFF)
        else()
            set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
        endif()
        get_target_property(automoc ${target} AUTOMOC)
        if(automoc)
            hanaki_declares_qobject(${target} declares)
            if(declares)
                get_target_property(binary_dir ${target} BINARY_DIR)
                set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
                    TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
            else()
                set_target_properties(${target} PROPERTIES AUTOMOC OFF)
            endif()
        endif()
    endforeach()
endfunction()

# Whether a source of `target`, or the header beside it, declares a QObject.
function(hanaki_declares_qobject target result)
    get_target_property(sources ${target} SOURCES)
    get_target_property(directory ${target} SOURCE_DIR)
    foreach(source ${sources})
        if(NOT IS_ABSOLUTE ${source})
            set(source ${directory}/${source})
        endif()
        string(REGEX REPLACE "\\.[^./]*$" "" stem ${source})
        foreach(file ${source} ${stem}.h)
            if(EXISTS ${file})
                file(STRINGS ${file} found REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE" LIMIT_COUNT 1)
                if(found)
                    set(${result} ON PARENT_SCOPE)
                    return()
                endif()
            endif()
        endforeach()
    endforeach()
    set(${result} OFF PARENT_SCOPE)
endfunction()
