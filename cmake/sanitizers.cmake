# Sanitizer builds: -DQM_SANITIZE="address;undefined" or -DQM_SANITIZE=thread builds the programs
# and the test programs instrumented, in a build folder of their own (tests/sanitizers.sh makes
# build-asan/ and build-tsan/). A report ends the program with an error rather than letting it go
# on, so a test program that meets one fails. The benchmarks and the fuzz programs are left out.
set(QM_SANITIZE "" CACHE STRING "Sanitizers to build with: address;undefined, or thread (empty: none)")
if(NOT QM_SANITIZE)
  return()
endif()
list(JOIN QM_SANITIZE "," qm_sanitizers)
# -O1 keeps the programs quick enough and the stacks whole; line tables are all a report needs.
add_compile_options(-fsanitize=${qm_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g1)
add_link_options(-fsanitize=${qm_sanitizers})
