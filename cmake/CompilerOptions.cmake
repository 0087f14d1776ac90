# Warnings and sanitizers shared by every target of the project.
add_library(r7_options INTERFACE)
target_compile_options(r7_options INTERFACE -Wall -Wextra)
# GCC 12 reports -Wrestrict on std::string assignments it has inlined at -O3 (GCC bug
# 105329, a false positive); the check cannot be trusted there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
  target_compile_options(r7_options INTERFACE -Wno-restrict)
endif()
if(R7_WERROR)
  target_compile_options(r7_options INTERFACE -Werror)
endif()
if(R7_SANITIZE)
  set(r7_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(r7_options INTERFACE ${r7_sanitize_flags})
  target_link_options(r7_options INTERFACE ${r7_sanitize_flags})
endif()
if(R7_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "R7_FUZZ needs clang (the fuzz preset chooses it)")
  endif()
  # Every library reports its coverage to libFuzzer; only the fuzz targets link its main.
  set(r7_fuzz_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(r7_options INTERFACE -fsanitize=fuzzer-no-link ${r7_fuzz_flags})
  target_link_options(r7_options INTERFACE ${r7_fuzz_flags})
endif()
if(WIN32)
  # The DLLs and programs import only system DLLs: no libstdc++, libgcc or winpthread.
  target_link_options(r7_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
