# The sanitizers of the test build (-DHANAKI_SANITIZE=ON). AddressSanitizer
# covers every file of the programs and of the tests that read and write the
# household's files; a screen test's own code, keys pressed and figures
# compared, is left plain (it drives instrumented screens, and plain it
# compiles a quarter faster). UndefinedBehaviorSanitizer, which nearly doubles
# a file's compile time, covers the code that reads, reckons and writes the
# household's figures and files, and the tests of it: the targets named to
# hanaki_check_undefined_behaviour. Every program links both runtimes.
option(HANAKI_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(hanaki_address_checks -fsanitize=address -fno-omit-frame-pointer -fno-sanitize-recover=all)

if(HANAKI_SANITIZE)
    add_link_options(-fsanitize=address,undefined)
endif()

function(hanaki_check_undefined_behaviour)
    if(HANAKI_SANITIZE)
        foreach(target ${ARGN})
            target_compile_options(${target} PRIVATE -fsanitize=undefined)
        endforeach()
    endif()
endfunction()

# Call once, after every target is declared and before the precompiled
# headers, which follow each target's options.
function(hanaki_check_addresses)
    if(NOT HANAKI_SANITIZE)
        return()
    endif()
    hanaki_compiled_targets(${PROJECT_SOURCE_DIR} targets)
    foreach(target ${targets})
        get_target_property(test ${target} HANAKI_TEST_CODE)
        get_target_property(options ${target} COMPILE_OPTIONS)
        if(test AND NOT "-fsanitize=undefined" IN_LIST options)
            continue()
        endif()
        target_compile_options(${target} PRIVATE ${hanaki_address_checks})
    endforeach()
endfunction()
