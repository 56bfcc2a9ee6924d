# vxinspect walk and post over a release with names in 1251 and 866 bytes, links and a cycle.
# Linux only: the release holds links and a pipe, and the tool is given its arguments by /bin/sh.
if(TARGET vx_upload_test_support AND NOT WIN32)
  vx_test(tst_vxinspect_walk_post SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_vxinspect_walk_post.cpp
    LINKS vx_upload_test_support)
  target_compile_definitions(tst_vxinspect_walk_post PRIVATE "VXINSPECT_PATH=\"$<TARGET_FILE:vxinspect>\"")
  add_dependencies(tst_vxinspect_walk_post vxinspect)
endif()
