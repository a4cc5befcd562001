#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace effectc {

// A ".kvx" template is a movie stored without its four signature bytes; its length field still
// counts them. Every other file is a whole version-4 movie.
enum class OutputKind : uint8_t { kSwf, kKvx };

// kKvx for a path ending in ".kvx" in any case.
OutputKind OutputKindFor(std::string_view path);

// Compiles a source document (an effect template or a movie with one clip) into the bytes of
// the file. False with the reason in error.
bool CompileSource(std::string_view source, OutputKind kind, std::vector<uint8_t>& out,
                   std::string& error);

}  // namespace effectc
