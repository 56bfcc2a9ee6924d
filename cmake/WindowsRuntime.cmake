# The Windows build: every program lands in bin/ with the DLLs it needs beside it, as windeployqt lays
# them out (Qt's DLLs, the platform, style and image format plugins, the MinGW runtime and zlib), so the
# programs and the tests run from there under Wine; `cmake --install` lays out the program folder.

get_target_property(vx_qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(vx_qt_bin ${vx_qt_core_dll} DIRECTORY)
get_filename_component(vx_qt_plugins ${vx_qt_bin}/../plugins ABSOLUTE)
# The compiler knows where its runtime DLLs and the MinGW zlib's DLL are.
set(VX_WINDOWS_DLLS ${vx_qt_bin}/Qt6Core.dll ${vx_qt_bin}/Qt6Gui.dll ${vx_qt_bin}/Qt6Widgets.dll)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(path ${path} ABSOLUTE)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  list(APPEND VX_WINDOWS_DLLS ${path})
endforeach()
set(VX_WINDOWS_PLUGINS platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll
    imageformats/qjpeg.dll imageformats/qico.dll imageformats/qgif.dll)

# Qt's Russian texts (the folder dialog's captions): the .qm files are the same on every system, so
# Debian's qt6-translations-l10n gives them; the program looks in translations/ beside itself.
find_file(VX_QTBASE_RU qtbase_ru.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

set(laid ${PROJECT_BINARY_DIR}/bin/.runtime-laid)
set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/bin
             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VX_WINDOWS_DLLS} ${vx_qt_bin}/Qt6Test.dll ${PROJECT_BINARY_DIR}/bin)
foreach(plugin ${VX_WINDOWS_PLUGINS})
  get_filename_component(folder ${plugin} DIRECTORY)
  list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/bin/${folder}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${vx_qt_plugins}/${plugin} ${PROJECT_BINARY_DIR}/bin/${folder})
endforeach()
if(VX_QTBASE_RU)
  list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/bin/translations
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VX_QTBASE_RU} ${PROJECT_BINARY_DIR}/bin/translations)
  install(FILES ${VX_QTBASE_RU} DESTINATION translations)
endif()
add_custom_command(OUTPUT ${laid} ${commands} COMMAND ${CMAKE_COMMAND} -E touch ${laid}
                   COMMENT "Laying the Windows DLLs beside the programs" VERBATIM)
add_custom_target(windows_runtime ALL DEPENDS ${laid})

# The program folder a Windows user gets: the two programs and what they load, nothing of the tests.
install(TARGETS vorlinex vxinspect RUNTIME DESTINATION .)
install(FILES ${VX_WINDOWS_DLLS} DESTINATION .)
foreach(plugin ${VX_WINDOWS_PLUGINS})
  get_filename_component(folder ${plugin} DIRECTORY)
  install(FILES ${vx_qt_plugins}/${plugin} DESTINATION ${folder})
endforeach()
# `cmake --install --strip` strips the programs; Debian's MinGW runtime DLLs carry debug sections too,
# which --strip-debug takes off (a harder strip breaks Qt's DLLs, so those stay as the SDK has them).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug \"\${CMAKE_INSTALL_PREFIX}/\${dll}\")
    endforeach()
  endif()")
