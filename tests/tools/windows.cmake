# vxinspect.exe under Wine against vxinspect here, when scripts/test also builds for Windows (it passes
# the Windows build's folder).
set(VX_WINDOWS_BUILD_DIR "" CACHE PATH "The Windows build whose vxinspect.exe is compared with this one")
if(VX_WINDOWS_BUILD_DIR AND NOT WIN32 AND TARGET vx_upload_test_support)
  find_program(VX_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
  vx_test(tst_vxinspect_windows SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_vxinspect_windows.cpp LINKS vx_upload_test_support)
  target_compile_definitions(tst_vxinspect_windows PRIVATE "VXINSPECT_PATH=\"$<TARGET_FILE:vxinspect>\""
                             "VX_WINDOWS_BUILD_DIR=\"${VX_WINDOWS_BUILD_DIR}\"" "VX_WINE64=\"${VX_WINE64}\"")
  add_dependencies(tst_vxinspect_windows vxinspect)
endif()
