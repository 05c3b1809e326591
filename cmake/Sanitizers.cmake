# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the
# native build; any report fails the run.
set(VELTRIN_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
add_compile_options(${VELTRIN_SANITIZE_FLAGS} -g)
add_link_options(-fsanitize=address,undefined)
