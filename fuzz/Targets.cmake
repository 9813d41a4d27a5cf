# The parser fuzz targets, one source fuzz_<name>.cpp each; shared by the
# clang tree that builds them and the main tree that runs them as tests.
set(LYN_FUZZ_TARGETS
  frame_splitter
  link_envelope
  controller_query
  p2p_dispatch
  camera_source
  resolver_answer
  file_name_guard
  cloud_result
)
