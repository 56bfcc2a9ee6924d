# vxinspect jpeg over the real photos, compared with the saved output.
vx_test(tst_vxinspect_jpeg SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_vxinspect_jpeg.cpp)
target_compile_definitions(tst_vxinspect_jpeg PRIVATE "VXINSPECT_PATH=\"$<TARGET_FILE:vxinspect>\"")
add_dependencies(tst_vxinspect_jpeg vxinspect)
