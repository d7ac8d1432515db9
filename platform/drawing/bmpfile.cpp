// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/bmpfile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <QImage>

namespace kurvex {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i))));
  }
}

void SetError(std::string* error, const std::string& path, const std::string& text) {
  if (error) {
    *error = path + ": " + text;
  }
}

}  // namespace

std::string EncodeBmp24(const QImage& image) {
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = stride * height;
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

  std::string out;
  out.reserve(offset + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, offset + pixelBytes, 4);
  PutLe(out, 0, 4);  // two reserved words
  PutLe(out, offset, 4);

  PutLe(out, kInfoHeaderSize, 4);
  PutLe(out, width, 4);
  PutLe(out, height, 4);  // positive: rows run bottom-up
  PutLe(out, 1, 2);       // planes
  PutLe(out, 24, 2);      // bits per pixel
  PutLe(out, 0, 4);       // no compression
  PutLe(out, pixelBytes, 4);
  PutLe(out, 0, 4);  // resolution unspecified
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);  // no palette
  PutLe(out, 0, 4);

  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = rgb.height() - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<char>(qBlue(row[x])));
      out.push_back(static_cast<char>(qGreen(row[x])));
      out.push_back(static_cast<char>(qRed(row[x])));
    }
    out.append(stride - width * 3, '\0');
  }
  return out;
}

bool ReadBmp(const std::string& path, QImage* image, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    SetError(error, path, std::strerror(errno));
    return false;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
  if (file.bad()) {
    SetError(error, path, std::strerror(errno));
    return false;
  }
  QImage loaded;
  if (!loaded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                           static_cast<int>(bytes.size()), "BMP")) {
    SetError(error, path, "not a readable Windows bitmap");
    return false;
  }
  *image = loaded.convertToFormat(QImage::Format_RGB32);
  return true;
}

}  // namespace kurvex
