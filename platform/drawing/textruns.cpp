// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/textruns.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>
#include <map>
#include <tuple>

#include "platform/drawing/qtconvert.h"

namespace kurvex {

namespace {

// Enough for every label a few pictures show. The cache starts over when
// full: a scrolling axis makes new labels all the time, and each run holds
// a picture of its own, so a larger bound would only hold more memory.
constexpr std::size_t kMaxEntries = 256;

// name, size, style, dots per metre, device pixels per pixel
using FontKey = std::tuple<std::string, int, TFontStyles, int, qreal>;

FontKey KeyOf(const TFont& font, const QImage* device) {
  return {font.Name, font.Size, font.Style, device ? device->dotsPerMeterX() : 0,
          device ? device->devicePixelRatio() : 1.0};
}

template <class Map>
void Bound(Map& map) {
  if (map.size() >= kMaxEntries) map.clear();
}

}  // namespace

const TTextRun& TextRunOf(const TFont& font, const QFont& qfont, TColor color, const std::string& utf8,
                          const QImage& device) {
  static std::map<std::tuple<FontKey, TColor, std::string>, TTextRun> runs;
  const auto key = std::make_tuple(KeyOf(font, &device), ColorToRGB(color), utf8);
  if (const auto found = runs.find(key); found != runs.end()) return found->second;
  Bound(runs);

  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  const QFontMetrics metrics(qfont, &device);
  TTextRun run;
  run.Width = metrics.horizontalAdvance(text);
  run.Height = metrics.height();
  // Glyphs may reach beyond the advance width (italics, bearings).
  run.Margin = run.Height;
  // At the device's resolution, so text on a finer screen is drawn sharp, not enlarged.
  const qreal ratio = device.devicePixelRatio();
  run.DeviceMargin = qCeil(run.Margin * ratio);
  run.Glyphs = QImage(run.DeviceMargin + qCeil((run.Width + run.Margin) * ratio), qCeil(run.Height * ratio),
                      QImage::Format_ARGB32_Premultiplied);
  run.Glyphs.setDevicePixelRatio(ratio);
  run.Glyphs.setDotsPerMeterX(device.dotsPerMeterX());
  run.Glyphs.setDotsPerMeterY(device.dotsPerMeterY());
  run.Glyphs.fill(Qt::transparent);
  QPainter painter(&run.Glyphs);
  painter.setFont(qfont);
  painter.setPen(ToQColor(color));
  painter.drawText(QPointF(run.DeviceMargin / ratio, metrics.ascent()), text);
  painter.end();
  return runs.emplace(key, std::move(run)).first->second;
}

TSize TextSizeOf(const TFont& font, const QFont& qfont, const std::string& utf8, const QImage* device) {
  static std::map<std::tuple<FontKey, std::string>, TSize> sizes;
  const auto key = std::make_tuple(KeyOf(font, device), utf8);
  if (const auto found = sizes.find(key); found != sizes.end()) return found->second;
  Bound(sizes);
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  const QFontMetrics metrics(qfont, device);
  const TSize size{metrics.horizontalAdvance(text), metrics.height()};
  sizes.emplace(key, size);
  return size;
}

}  // namespace kurvex
