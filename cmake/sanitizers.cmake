# The sanitizers of the test build (-DHANAKI_SANITIZE=ON). AddressSanitizer
# covers every file. UndefinedBehaviorSanitizer, which nearly doubles a file's
# compile time, covers the code that reads, reckons and writes the household's
# figures and files, and the tests of it: the targets named to
# hanaki_check_undefined_behaviour. Every program links both runtimes.
option(HANAKI_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(HANAKI_SANITIZE)
    add_compile_options(-fsanitize=address -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

function(hanaki_check_undefined_behaviour)
    if(HANAKI_SANITIZE)
        foreach(target ${ARGN})
            target_compile_options(${target} PRIVATE -fsanitize=undefined)
        endforeach()
    endif()
endfunction()
