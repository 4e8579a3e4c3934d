/* Eigen's SSE2 path includes the MMX header among the x86 ones. Emscripten maps the SSE
   headers onto SIMD128 but has no MMX header, and Eigen uses none of its intrinsics: this
   empty one stands in for it in the WebAssembly build. */
#pragma once
