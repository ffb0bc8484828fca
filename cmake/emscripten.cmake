# Compiling for WebAssembly with Debian's emscripten (3.1.6, package
# `emscripten`): its compilers, its libc (musl) and libc++, through its own
# CMake platform file. Used for the libraries without Qt, their tests (run
# under Node, scripts/test-wasm) and the browser page alike:
#   cmake -S . -B build/wasm/build -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake -DOSTREVO_BUILD_UI=OFF
# Programs are .js files with a .wasm beside them.

# Emscripten's link step runs JavaScript tools that need the parser acorn,
# which Debian packages apart (`node-acorn`) where Node does not look by
# itself: compiler and linker run with NODE_PATH set.
set(ostrevo_emscripten_env env NODE_PATH=/usr/share/nodejs)
set(CMAKE_C_COMPILER_LAUNCHER ${ostrevo_emscripten_env})
set(CMAKE_CXX_COMPILER_LAUNCHER ${ostrevo_emscripten_env})
set(CMAKE_C_LINKER_LAUNCHER ${ostrevo_emscripten_env})
set(CMAKE_CXX_LINKER_LAUNCHER ${ostrevo_emscripten_env})

# Programs run under Node where CMake runs one (test discovery). Node 20 has a
# fetch() that emscripten 3.1.6's loader would use to read the .wasm file, and
# that fetch cannot read local files.
find_program(OSTREVO_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${OSTREVO_NODE} --no-experimental-fetch)

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The commands stop by throwing, so C++ exceptions stay on (emscripten turns
# them off by default), when compiling and when linking. The memory grows as
# a plot needs it, up to the 4 GiB that 32-bit addresses reach. The project's
# -ftrapping-math means nothing without status flags, and clang says so on
# every file.
set(CMAKE_C_FLAGS_INIT "-fexceptions -Wno-unsupported-floating-point-opt")
set(CMAKE_CXX_FLAGS_INIT "-fexceptions -Wno-unsupported-floating-point-opt")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB")

# WebAssembly has no floating-point status flags: the fault checks go without.
set(OSTREVO_WITHOUT_FP_FLAGS ON CACHE BOOL "Never read the floating-point status flags")
