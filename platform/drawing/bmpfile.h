#pragma once

#include <string>

class QImage;

namespace kurvex {

/// Writes image as an uncompressed 24-bit Windows BMP (bottom-up rows, each
/// padded to a multiple of 4 bytes). On failure returns false and sets
/// *error to "<path>: <system error text>".
bool WriteBmp24(const QImage& image, const std::string& path, std::string* error);

/// Reads a Windows BMP into *image as Format_RGB32. On failure returns
/// false, leaves *image unchanged and sets *error.
bool ReadBmp(const std::string& path, QImage* image, std::string* error);

}  // namespace kurvex
