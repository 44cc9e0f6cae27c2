#include "cli/report_archive.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#ifdef ZELKO_HAVE_ZLIB
#include <zlib.h>
#endif

namespace zelko::cli {
namespace {

constexpr std::size_t kTarBlock = 512;

void PutOctal(std::uint8_t* field, std::size_t width, std::uint64_t value) {
  // width-1 octal digits and a NUL.
  std::string digits(width - 1, '0');
  for (std::size_t i = width - 1; i-- > 0 && value;) {
    digits[i] = static_cast<char>('0' + (value & 7));
    value >>= 3;
  }
  std::memcpy(field, digits.data(), width - 1);
  field[width - 1] = 0;
}

std::vector<std::uint8_t> Tar(const std::vector<ArchiveFile>& files, std::uint64_t mtime) {
  std::vector<std::uint8_t> tar;
  for (const auto& file : files) {
    std::array<std::uint8_t, kTarBlock> header{};
    std::memcpy(header.data(), file.name.data(), std::min<std::size_t>(file.name.size(), 99));
    PutOctal(header.data() + 100, 8, 0644);  // mode
    PutOctal(header.data() + 108, 8, 0);     // uid
    PutOctal(header.data() + 116, 8, 0);     // gid
    PutOctal(header.data() + 124, 12, file.bytes.size());
    PutOctal(header.data() + 136, 12, mtime);
    std::memset(header.data() + 148, ' ', 8);  // the checksum counts as spaces
    header[156] = '0';                          // a regular file
    std::memcpy(header.data() + 257, "ustar", 6);
    std::memcpy(header.data() + 263, "00", 2);
    unsigned sum = 0;
    for (std::uint8_t byte : header) sum += byte;
    PutOctal(header.data() + 148, 7, sum);
    header[155] = ' ';
    tar.insert(tar.end(), header.begin(), header.end());
    tar.insert(tar.end(), file.bytes.begin(), file.bytes.end());
    tar.resize((tar.size() + kTarBlock - 1) / kTarBlock * kTarBlock, 0);
  }
  tar.resize(tar.size() + 2 * kTarBlock, 0);  // the end: two empty blocks
  return tar;
}

#ifdef ZELKO_HAVE_ZLIB
std::vector<std::uint8_t> Gzip(const std::vector<std::uint8_t>& data) {
  z_stream stream{};
  // 15 + 16: a gzip wrapper around the deflate stream.
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(data.size())) + 32);
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return result == Z_STREAM_END ? out : std::vector<std::uint8_t>{};
}
#else
std::uint32_t Crc32(const std::vector<std::uint8_t>& data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// Stored deflate blocks of at most 65,535 bytes in a gzip wrapper.
std::vector<std::uint8_t> Gzip(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> out = {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 0xFF};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(data.size() - at, 0xFFFF);
    const bool last = at + length == data.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(length));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(~length));
    out.push_back(static_cast<std::uint8_t>(~length >> 8));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < data.size());
  const std::uint32_t crc = Crc32(data);
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  return out;
}
#endif

}  // namespace

std::vector<std::uint8_t> MakeTarGz(const std::vector<ArchiveFile>& files, std::uint64_t mtime) {
  return Gzip(Tar(files, mtime));
}

}  // namespace zelko::cli
