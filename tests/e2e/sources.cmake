# The end-to-end test program's sources, shared by the Linux and the Windows build; each adds its
# host_run_<platform>.cpp.
set(e2e_dir ${CMAKE_SOURCE_DIR}/tests/e2e)
set(e2e_sources
  ${e2e_dir}/cli_test.cpp ${e2e_dir}/pages_test.cpp ${e2e_dir}/state_leak_test.cpp
  ${e2e_dir}/host_run.cpp ${e2e_dir}/picture.cpp ${e2e_dir}/render.cpp ${e2e_dir}/layout.cpp
  ${e2e_dir}/bands.cpp)
# The soak run in the test command, over the example's pages; the full run has 100000 frames.
set(e2e_soak_args --cmd switch --frames 10000 --soak --size 320x240)
# One rasteriser thread: llvmpipe's threads grow their memory pools in large, unforeseeable steps.
set(e2e_soak_environment LP_NUM_THREADS=0)
