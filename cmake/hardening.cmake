# The hardening Debian builds its packages with (dpkg-buildflags): the C library checks the
# buffer functions whose object sizes the compiler knows, and the dynamic symbols are bound at
# start so that the relocations can be made read-only. The checked functions need optimisation;
# the sanitizer build checks more than they do.
if(WIN32 OR KELPWAY_SANITIZE)
  return()
endif()
# PUBLIC: main() and the tests build with the same checks as the library.
target_compile_options(kelpway_core PUBLIC
  "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
target_link_options(kelpway PRIVATE LINKER:-z,relro,-z,now)
