# Hardening: every build that is not a sanitizer or fuzz build, the package's included, gets the
# flags Debian's dpkg-buildflags gives with DEB_BUILD_MAINT_OPTIONS=hardening=+all (Debian 12):
# a stack protector on functions with arrays or addresses taken, format strings checked,
# _FORTIFY_SOURCE=2 (the checked variants of memcpy, snprintf and the like), relocations read-only
# and every symbol bound at load (-z relro -z now). PIE is the compiler's default. The sanitizers
# bring checks of their own and do not mix with the fortified functions.
#
# _FORTIFY_SOURCE works only with optimisation and the C library warns without it, so a build
# type that does not optimise (Debug) goes without it.
if(TALVENA_SANITIZE STREQUAL "" AND NOT TALVENA_FUZZ)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security -Wdate-time
                        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
    set(TALVENA_HARDENED ON)
else()
    set(TALVENA_HARDENED OFF)
endif()
