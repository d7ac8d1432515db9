// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QBuffer>
#include <QImage>

#include "platform/drawing/bmpfile.h"
#include "platform/drawing/devicepixels.h"
#include "platform/drawing/imagecanvas.h"
#include "platform/system/replacefile.h"

namespace kurvex {

namespace {

QImage WhiteImage(int width, int height, double scale = 1) {
  QImage image(DevicePixel(std::max(0, width), scale), DevicePixel(std::max(0, height), scale), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  return image;
}

}  // namespace

// The canvas refers to the image, so both live together behind one pointer
// that never moves.
struct TBitmap::Impl {
  QImage image;
  TImageCanvas canvas{image};
};

TBitmap::TBitmap() : m_impl(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() {
  m_impl->image = WhiteImage(width, height);
}

TBitmap::TBitmap(const TBitmap& other) : TBitmap() {
  // Shares the pixels until either side paints; starting a painter detaches.
  m_impl->image = other.Image();
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) {
    m_impl->canvas.Flush();
    m_impl->image = other.Image();
  }
  return *this;
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return PixelsOfDeviceLength(m_impl->image.width(), Scale()); }

int TBitmap::Height() const { return PixelsOfDeviceLength(m_impl->image.height(), Scale()); }

double TBitmap::Scale() const { return std::max(1.0, m_impl->image.devicePixelRatio()); }

void TBitmap::SetScale(double scale) {
  scale = std::max(1.0, scale);
  if (scale == Scale()) {
    return;
  }
  m_impl->canvas.Flush();
  m_impl->image = WhiteImage(Width(), Height(), scale);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height()) {
    return;
  }
  m_impl->canvas.Flush();
  m_impl->image = WhiteImage(width, height, Scale());
}

TCanvas& TBitmap::Canvas() { return m_impl->canvas; }

bool TBitmap::SaveToFile(const std::string& path, std::string* error) const {
  const int failure = ReplaceFileContents(path, BmpBytes());
  if (failure != 0 && error != nullptr) *error = path + ": " + std::strerror(failure);
  return failure == 0;
}

std::string TBitmap::BmpBytes() const { return EncodeBmp24(Image()); }

std::string TBitmap::PngBytes() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Image().save(&buffer, "PNG");
  return bytes.toStdString();
}

bool TBitmap::LoadFromFile(const std::string& path, std::string* error) {
  QImage loaded;
  if (!ReadBmp(path, &loaded, error)) {
    return false;
  }
  m_impl->canvas.Flush();
  m_impl->image = loaded;
  return true;
}

bool TBitmap::MoveAlongX(const TRect& rect, int dx) {
  QImage& image = Image();
  const double scale = Scale(), device = dx * scale;
  if (std::fabs(device - std::round(device)) > 1e-6) return false;
  const int shift = static_cast<int>(std::lround(device));
  const auto clamped = [&](int v, int end) { return std::clamp(DevicePixel(v, scale), 0, end); };
  const int left = clamped(rect.Left, image.width()), right = clamped(rect.Right, image.width());
  const int top = clamped(rect.Top, image.height()), bottom = clamped(rect.Bottom, image.height());
  const int width = right - left - std::abs(shift);
  if (width <= 0 || shift == 0) return true;
  const int from = shift < 0 ? left - shift : left, to = shift < 0 ? left : left + shift;
  constexpr int kBytesPerPixel = 4;  // Format_RGB32
  for (int y = top; y < bottom; ++y) {
    uchar* line = image.scanLine(y);
    std::memmove(line + to * kBytesPerPixel, line + from * kBytesPerPixel,
                 static_cast<std::size_t>(width) * kBytesPerPixel);
  }
  return true;
}

const QImage& TBitmap::Image() const {
  m_impl->canvas.Flush();
  return m_impl->image;
}

QImage& TBitmap::Image() {
  m_impl->canvas.Flush();
  return m_impl->image;
}

}  // namespace kurvex
