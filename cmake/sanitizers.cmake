# KELPWAY_SANITIZE: AddressSanitizer and UndefinedBehaviorSanitizer on every target defined after this.
option(KELPWAY_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(KELPWAY_SANITIZE)
  if(KELPWAY_FUZZ)
    message(FATAL_ERROR "KELPWAY_SANITIZE and KELPWAY_FUZZ are separate builds; the fuzzer brings its own sanitizers")
  endif()
  # Any report ends the process, so a finding fails the test that met it.
  set(KELPWAY_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${KELPWAY_SANITIZER_FLAGS})
  add_link_options(${KELPWAY_SANITIZER_FLAGS})
  # ASan misses an overrun from one member array into the next; the library's own checks of
  # operator[] catch it.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()
