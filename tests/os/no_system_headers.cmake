# Fails when a product source outside platform/ includes a header of the operating system: everything
# that talks to the system goes through platform/os, so a Windows build needs no change elsewhere.
# Run as: cmake -DROOT=<source folder> -P no_system_headers.cmake
cmake_minimum_required(VERSION 3.21)
if(NOT EXISTS "${ROOT}/archive")
  message(FATAL_ERROR "ROOT must name the source folder")
endif()

set(folders app archive folders imaging reports upload tools)
# POSIX and Win32 headers, and the C library's system extensions (iconv).
set(system_header_pattern
    "^(sys|netinet|arpa|linux|asm|bits)/|^(unistd|fcntl|dirent|iconv|netdb|poll|pthread|dlfcn|termios|pwd|grp|glob|fnmatch|ftw|fts|spawn|syslog|utime|wordexp|mntent|sched|semaphore|aio|windows|winsock2?|ws2tcpip|winbase|winnt|winioctl|winerror|shlobj|shellapi|io|direct|process|tchar|objbase|iphlpapi|mswsock)\\.h$")

set(temporary_exceptions "")

set(offenders "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.c)
  foreach(source IN LISTS sources)
    if(source IN_LIST temporary_exceptions)
      continue()
    endif()
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<[^>]+>")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*" "\\1" header "${line}")
      string(TOLOWER "${header}" header_lower)
      if(header_lower MATCHES "${system_header_pattern}")
        list(APPEND offenders "${source}: <${header}>")
      endif()
    endforeach()
  endforeach()
endforeach()

# Inside platform/ only the POSIX side of the OS layer converts code pages with iconv: a Windows build
# has no iconv.h.
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/platform/*.cpp ${ROOT}/platform/*.h)
foreach(source IN LISTS sources)
  if(NOT source MATCHES "^platform/os/posix/")
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<iconv\\.h>")
    if(includes)
      list(APPEND offenders "${source}: <iconv.h>")
    endif()
  endif()
endforeach()

if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "System headers outside platform/ (use platform/os instead):\n  ${text}")
endif()
message(STATUS "No system header outside platform/")
