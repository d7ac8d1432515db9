// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QImage;

namespace kurvex {

/// The bytes of an uncompressed 24-bit Windows BMP file of image (bottom-up
/// rows, each padded to a multiple of 4 bytes).
std::string EncodeBmp24(const QImage& image);

/// Reads a Windows BMP into *image as Format_RGB32. On failure returns
/// false, leaves *image unchanged and sets *error.
bool ReadBmp(const std::string& path, QImage* image, std::string* error);

}  // namespace kurvex
