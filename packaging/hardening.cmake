# Debian's hardening flags (as dpkg-buildflags gives them) for the optimised
# builds that are shipped; the fortified functions need optimisation, and the
# Debug builds of the tests and sanitizers do without.
option(HANAKI_HARDEN "Build optimised configurations with Debian's hardening flags" ON)
if(HANAKI_HARDEN)
    set(optimised $<NOT:$<CONFIG:Debug>>)
    add_compile_options($<${optimised}:-fstack-protector-strong> $<${optimised}:-Wformat>
                        $<${optimised}:-Werror=format-security>)
    add_compile_definitions($<${optimised}:_FORTIFY_SOURCE=2>)
    add_link_options($<${optimised}:LINKER:-z,relro,-z,now>)
endif()
