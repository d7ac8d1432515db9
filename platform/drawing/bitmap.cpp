// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/bitmap.h"

#include <algorithm>
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

const QImage& TBitmap::Image() const {
  m_impl->canvas.Flush();
  return m_impl->image;
}

QImage& TBitmap::Image() {
  m_impl->canvas.Flush();
  return m_impl->image;
}

}  // namespace kurvex
