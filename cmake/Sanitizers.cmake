# LYN_ASAN: AddressSanitizer + UndefinedBehaviorSanitizer.
# LYN_TSAN: ThreadSanitizer. The two cannot be combined.
option(LYN_ASAN "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(LYN_TSAN "Build with ThreadSanitizer" OFF)

if(LYN_ASAN AND LYN_TSAN)
  message(FATAL_ERROR "LYN_ASAN and LYN_TSAN are mutually exclusive")
endif()

if(LYN_ASAN)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(LYN_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
