// PNG files made byte by byte for loader tests: any colour type and bit depth, chosen chunks, and
// files that are broken or claim impossible sizes.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of `values`, each taken modulo 256.
inline std::string png_bytes(const std::vector<int>& values) {
  return {values.begin(), values.end()};
}

// A four-byte integer as PNG stores it, most significant byte first.
inline std::string png_int(std::uint32_t value) {
  return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// One chunk: its length, type, data and CRC.
inline std::string png_chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return png_int(std::uint32_t(data.size())) + body + png_int(std::uint32_t(crc));
}

// Unfiltered rows behind their filter bytes; samples of 1 or 2 bytes, a 16-bit one's low byte 0x80.
inline std::string png_rows(const std::vector<std::vector<int>>& samples, int sample_bytes = 1) {
  std::string packed;
  for (const std::vector<int>& row : samples) {
    packed += '\0';
    for (const int sample : row) packed += png_bytes({sample, 0x80}).substr(0, sample_bytes);
  }
  return packed;
}

// The signature and the IHDR of a non-interlaced picture.
inline std::string png_header(std::uint32_t width, std::uint32_t height, int colour_type,
                              int bit_depth) {
  return std::string("\x89PNG\r\n\x1a\n", 8) +
         png_chunk("IHDR", png_int(width) + png_int(height) +
                               png_bytes({bit_depth, colour_type, 0, 0, 0}));
}

// A whole file: header, `chunks` (PLTE, tRNS, gAMA, ...), `rows` compressed into one IDAT, IEND.
inline std::string png_file(std::uint32_t width, std::uint32_t height, int colour_type,
                            int bit_depth, const std::string& rows,
                            const std::string& chunks = "") {
  std::string packed(compressBound(uLong(rows.size())), '\0');
  uLongf size = uLongf(packed.size());
  compress(reinterpret_cast<Bytef*>(packed.data()), &size,
           reinterpret_cast<const Bytef*>(rows.data()), uLong(rows.size()));
  return png_header(width, height, colour_type, bit_depth) + chunks +
         png_chunk("IDAT", packed.substr(0, size)) + png_chunk("IEND", "");
}
