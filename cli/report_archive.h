// A .tar.gz of a few small files, for a problem report a user can attach:
// ustar entries, gzip-compressed with zlib where the build has it (stored,
// uncompressed deflate blocks otherwise: still a .tar.gz every tool opens).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zelko::cli {

struct ArchiveFile {
  std::string name;  // a plain name: the archive has no folders
  std::vector<std::uint8_t> bytes;
};

// The archive's bytes; `mtime` is the files' time in seconds since 1970.
std::vector<std::uint8_t> MakeTarGz(const std::vector<ArchiveFile>& files, std::uint64_t mtime);

}  // namespace zelko::cli
