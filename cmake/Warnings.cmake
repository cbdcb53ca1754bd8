# One place for the warning set, so every target of ours is held to the same bar.
option(VINTRALE_WERROR "Treat warnings as errors" OFF)
option(VINTRALE_SANITIZE "Build with address and undefined-behaviour sanitizers" OFF)

function(vintrale_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor)
    if(VINTRALE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GCC 12 at -O2 and above reports prepending to a std::string as an overlapping memcpy
    # (a false positive inside libstdc++, fixed in GCC 13); it would fail every Release build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

if(VINTRALE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
