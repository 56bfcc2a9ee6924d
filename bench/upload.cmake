add_executable(upload_post ${CMAKE_CURRENT_LIST_DIR}/upload_post.cpp)
target_include_directories(upload_post PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(upload_post PRIVATE vx_upload)
vx_warnings(upload_post)
