# TALVENA_SANITIZE=address builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# TALVENA_SANITIZE=thread with ThreadSanitizer. The flags apply to every target.
if(TALVENA_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(TALVENA_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT TALVENA_SANITIZE STREQUAL "")
    message(FATAL_ERROR "TALVENA_SANITIZE must be empty, 'address' or 'thread'")
endif()
