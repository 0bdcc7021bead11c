# Warnings for every target of this project, errors where the cache asks for them (CI does).
if(MSVC)
    add_compile_options(/W4 /permissive-)
    if(VANTREL_WERROR)
        add_compile_options(/WX)
    endif()
else()
    add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
    if(VANTREL_WERROR)
        add_compile_options(-Werror)
    endif()
endif()

if(VANTREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz targets link libFuzzer themselves; everything they call is instrumented for
# coverage so that the fuzzer can steer into it.
if(VANTREL_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
