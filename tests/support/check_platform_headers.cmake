# Checks that only the file layer (src/core/platform_*.cpp) includes a
# system's own headers, run by CTest as
#   cmake -DSOURCE_DIR=... -P check_platform_headers.cmake
# Everything else reaches the system through core/platform.h, so that one
# file per system is all a port replaces.
set(pattern "#include <(windows\\.h|unistd\\.h|fcntl\\.h|iconv\\.h|io\\.h|sys/[a-z_]+\\.h|dirent\\.h|signal\\.h)>")
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(failures "")
foreach(file ${files})
  if(file MATCHES "/src/core/platform_[a-z]+\\.cpp$")
    continue()
  endif()
  file(STRINGS ${file} lines REGEX "^#include <")
  foreach(line ${lines})
    if(line MATCHES "${pattern}")
      file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
      string(APPEND failures "${name}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "System headers outside the file layer:\n${failures}")
endif()
