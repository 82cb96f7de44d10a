# Every third-party piece comes from a Debian package that scripts/deps installs.
find_package(Threads REQUIRED)
if(NOT STDCHECK_FUZZ)
  find_package(GTest REQUIRED)
  if(STDCHECK_BENCH)
    find_package(benchmark REQUIRED)
  endif()
endif()
