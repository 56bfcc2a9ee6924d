# The ZIP reader's fuzz target.
vx_fuzz(fuzz_zip_reader SOURCES fuzz_zip_reader.cpp fuzz_zip_reader_run.cpp fuzz_zip_reader_run.h LINKS vx_archive Qt6::Core)
