vx_fuzz(fuzz_http_reply
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_http_reply.cpp ${CMAKE_CURRENT_LIST_DIR}/fuzz_http_reply_entry.cpp
  LINKS vx_upload)
