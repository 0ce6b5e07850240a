# The end-to-end test program's sources, shared by the Linux and the Windows build; its helpers
# are the e2e_support library.
set(e2e_dir ${CMAKE_SOURCE_DIR}/tests/e2e)
set(e2e_sources ${e2e_dir}/cli_test.cpp ${e2e_dir}/pages_test.cpp ${e2e_dir}/state_leak_test.cpp
  ${e2e_dir}/check_test.cpp ${e2e_dir}/plain_reference_test.cpp ${e2e_dir}/effect_pixels_test.cpp
  ${e2e_dir}/anchor_pixels_test.cpp ${e2e_dir}/text_pixels_test.cpp
  ${e2e_dir}/row_cache_test.cpp ${e2e_dir}/panel_pixels_test.cpp ${e2e_dir}/style_pixels_test.cpp
  ${e2e_dir}/shaped_rows_test.cpp)
# The soak run in the test command, over the example's pages; the full run has 100000 frames.
set(e2e_soak_args --cmd switch --frames 10000 --soak --size 320x240)
# One rasteriser thread: llvmpipe's threads grow their memory pools in large, unforeseeable steps.
set(e2e_soak_environment LP_NUM_THREADS=0)

# Libraries that load but are no working plug-in, for the refusal tests: one without the exports,
# one of another interface version, one that fills none of the host's entries.
set(e2e_bad_plugins not_a_plugin wrong_version_plugin silent_plugin)
foreach(name ${e2e_bad_plugins})
  add_library(${name} SHARED ${e2e_dir}/${name}.cpp)
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  if(WIN32)
    target_link_options(${name} PRIVATE -static -static-libgcc)
  endif()
endforeach()
