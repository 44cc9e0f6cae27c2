// The table that tools/embed_resources generates from the files under resources/.
#pragma once
#include <cstddef>

namespace zelko::embedded {

struct EmbeddedResource {
  const char* name;            // file name without folder and extension
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedResource kTable[];
extern const std::size_t kTableSize;

}  // namespace zelko::embedded
