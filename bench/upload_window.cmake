# The upload window's handling of a large reply (time and memory to the post text), run_post_text.sh.
add_executable(upload_window_reply ${CMAKE_CURRENT_LIST_DIR}/upload_window_reply.cpp)
target_include_directories(upload_window_reply PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(upload_window_reply PRIVATE vx_upload_ui)
vx_warnings(upload_window_reply)
