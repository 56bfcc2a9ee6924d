# vxinspect zip-list, zip-cat and zip-extract over the third-party archives and built fixtures.
vx_test(tst_vxinspect_zip SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_vxinspect_zip.cpp LINKS vx_archive)
target_compile_definitions(tst_vxinspect_zip PRIVATE "VXINSPECT_PATH=\"$<TARGET_FILE:vxinspect>\"")
add_dependencies(tst_vxinspect_zip vxinspect)
