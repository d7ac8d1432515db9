// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/imagecanvas.h"

#include "platform/drawing/textruns.h"

#include <algorithm>

#include <QFontMetrics>
#include <QImage>
#include <QString>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/devicepixels.h"
#include "platform/drawing/qtconvert.h"
#include "platform/drawing/thinline.h"

namespace kurvex {

namespace {

QRect ToQRect(const TRect& rect) {
  return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

// Rectangle and Ellipse accept their corners in any order, as GDI does.
QRect Box(int left, int top, int right, int bottom) {
  return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
               QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

constexpr TPen kNoPen{clBlack, psClear, 1, pmCopy};

// One-pixel pens are drawn by TThinLine, which keeps GDI's end-pixel rule in
// every direction; wider ones by QPainter.
bool IsThin(const TPen& pen) { return pen.Style != psClear && pen.Width <= 1; }

// `scale`: device pixels per pixel, for wide pens, which keep their width
// in pixels.
QPen MakePen(const TPen& pen, double scale) {
  if (pen.Style == psClear) {
    return QPen(Qt::NoPen);
  }
  QPen result(ToQColor(pen.Color));
  if (pen.Width > 1) {
    // Styled wide pens are solid in GDI too; round ends let the batches of
    // a long polyline join seamlessly.
    result.setWidthF(pen.Width * scale);
    result.setCapStyle(Qt::RoundCap);
    result.setJoinStyle(Qt::RoundJoin);
    return result;
  }
  result.setWidth(1);
  result.setCosmetic(true);
  // Rectangles and ellipses: flat ends keep the outline to its box.
  result.setCapStyle(Qt::FlatCap);
  const std::span<const int> runs = DashRuns(pen.Style);
  if (!runs.empty()) {
    result.setDashPattern(QList<qreal>(runs.begin(), runs.end()));
  }
  return result;
}

QPainter::CompositionMode CompositionOf(TPenMode mode) {
  switch (mode) {
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

double ScaleOf(const QImage& image) { return std::max(1.0, image.devicePixelRatio()); }

// Drawing an image onto itself needs a copy of the source part first.
void DrawImagePart(QPainter& painter, const QRect& dest, const QImage& source, const QRect& part,
                   const QImage& target) {
  if (&source == &target) {
    painter.drawImage(dest, source.copy(part));
  } else {
    painter.drawImage(dest, source, part);
  }
}

}  // namespace

TImageCanvas::TImageCanvas(QImage& image) : m_image(image) {}

TImageCanvas::~TImageCanvas() { Flush(); }

void TImageCanvas::Flush() {
  if (m_painter.isActive()) {
    m_painter.end();
  }
  m_view = QImage();
}

QPainter* TImageCanvas::Begin() {
  if (m_painter.isActive()) {
    return &m_painter;
  }
  if (m_image.isNull()) {
    return nullptr;
  }
  // The painter draws in device pixels, on a view of the image's pixels
  // without its device pixel ratio: every position is mapped here, by the
  // same rule as the thin lines, and nothing is resampled.
  m_view = QImage(m_image.bits(), m_image.width(), m_image.height(), m_image.bytesPerLine(), m_image.format());
  m_painter.begin(&m_view);
  if (m_clip) {
    m_painter.setClipRect(DeviceClip());
  }
  m_appliedPen.reset();
  m_appliedBrush.reset();
  m_appliedComposition.reset();
  m_fontApplied = false;
  return &m_painter;
}

void TImageCanvas::SetComposition(QPainter::CompositionMode mode) {
  if (m_appliedComposition != mode) {
    m_painter.setCompositionMode(mode);
    m_appliedComposition = mode;
  }
}

QPainter* TImageCanvas::BeginShape(const TPen& pen, bool withBrush) {
  QPainter* painter = Begin();
  if (!painter) {
    return nullptr;
  }
  if (m_appliedPen != pen) {
    painter->setPen(MakePen(pen, Scale()));
    m_appliedPen = pen;
  }
  const TBrush brush = withBrush ? Brush : TBrush{clWhite, bsClear};
  if (m_appliedBrush != brush) {
    painter->setBrush(brush.Style == bsClear ? QBrush(Qt::NoBrush)
                                             : QBrush(ToQColor(brush.Color)));
    m_appliedBrush = brush;
  }
  SetComposition(CompositionOf(Pen.Mode));
  return painter;
}

QPainter* TImageCanvas::BeginCopy() {
  QPainter* painter = Begin();
  if (painter) {
    SetComposition(QPainter::CompositionMode_SourceOver);
  }
  return painter;
}

const QFont& TImageCanvas::CurrentFont() {
  if (m_fontOf != Font) {
    m_font = ToQFont(Font);
    m_fontOf = Font;
    m_fontApplied = false;
  }
  return m_font;
}

QRect TImageCanvas::ClipBounds() const {
  return m_clip ? ToQRect(*m_clip) : QRect(0, 0, Width(), Height());
}

double TImageCanvas::Scale() const { return ScaleOf(m_image); }

TPoint TImageCanvas::ToDevice(TPoint p) const {
  const double scale = Scale();
  return {DevicePixel(p.X, scale), DevicePixel(p.Y, scale)};
}

QRect TImageCanvas::DeviceRect(const QRect& rect) const {
  const TPoint topLeft = ToDevice({rect.left(), rect.top()});
  const TPoint end = ToDevice({rect.left() + rect.width(), rect.top() + rect.height()});
  return {topLeft.X, topLeft.Y, end.X - topLeft.X, end.Y - topLeft.Y};
}

QRect TImageCanvas::DeviceClip() const { return DeviceRect(ClipBounds()); }

QRect TImageCanvas::DeviceTarget(const QRect& dest, const QImage& source, const QRect& part) const {
  if (ScaleOf(source) == Scale() && dest.size() == QSize(PixelsOfDeviceLength(part.width(), Scale()),
                                                         PixelsOfDeviceLength(part.height(), Scale()))) {
    const TPoint at = ToDevice({dest.left(), dest.top()});
    return {at.X, at.Y, part.width(), part.height()};
  }
  return DeviceRect(dest);
}

void TImageCanvas::CopyPoints(const TPoint* points, int count) {
  m_points.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TPoint p = ToDevice(points[i]);
    m_points[static_cast<std::size_t>(i)] = QPoint(p.X, p.Y);
  }
}

int TImageCanvas::Width() const { return PixelsOfDeviceLength(m_image.width(), Scale()); }

int TImageCanvas::Height() const { return PixelsOfDeviceLength(m_image.height(), Scale()); }

void TImageCanvas::LineTo(int x, int y) {
  const TPoint from = m_penPos;
  m_penPos = {x, y};
  // A zero-length line has no pixel before its end; Qt would draw one.
  if (from == m_penPos || m_image.isNull()) {
    return;
  }
  if (IsThin(Pen)) {
    TThinLine(m_image, DeviceClip(), Pen).Segment(ToDevice(from), ToDevice(m_penPos));
  } else if (QPainter* painter = BeginShape(Pen, false)) {
    const TPoint a = ToDevice(from), b = ToDevice(m_penPos);
    painter->drawLine(a.X, a.Y, b.X, b.Y);
  }
}

void TImageCanvas::Polyline(const TPoint* points, int count) {
  if (count < 2 || m_image.isNull()) {
    return;
  }
  if (IsThin(Pen)) {
    TThinLine line(m_image, DeviceClip(), Pen);
    if (Scale() == 1) {  // long live polylines: no mapping per point
      for (int i = 1; i < count; ++i) line.Segment(points[i - 1], points[i]);
      return;
    }
    for (int i = 1; i < count; ++i) line.Segment(ToDevice(points[i - 1]), ToDevice(points[i]));
    return;
  }
  CopyPoints(points, count);
  if (QPainter* painter = BeginShape(Pen, false)) {
    painter->drawPolyline(m_points.data(), count);
  }
}

void TImageCanvas::Polygon(const TPoint* points, int count) {
  if (count < 2) {
    return;
  }
  const bool thin = IsThin(Pen);
  CopyPoints(points, count);
  QPainter* painter = BeginShape(thin ? kNoPen : Pen, true);
  if (!painter) {
    return;
  }
  painter->drawPolygon(m_points.data(), count);
  if (thin) {
    TThinLine outline(m_image, DeviceClip(), Pen);
    for (int i = 0; i < count; ++i) {
      outline.Segment(ToDevice(points[i]), ToDevice(points[(i + 1) % count]));
    }
  }
}

void TImageCanvas::Rectangle(int left, int top, int right, int bottom) {
  const QRect box = Box(left, top, right, bottom);
  if (box.isEmpty()) {
    return;
  }
  QPainter* painter = BeginShape(Pen, false);
  if (!painter) {
    return;
  }
  const bool outlined = Pen.Style != psClear;
  // The outline runs through the first device pixel of its logical pixels,
  // as thin lines do; the fill stays off it so that in XOR mode no pixel is
  // hit twice.
  const TPoint first = ToDevice({box.left(), box.top()}), last = ToDevice({box.right(), box.bottom()});
  const QRect outline(QPoint(first.X, first.Y), QPoint(last.X, last.Y));
  const QRect inside = outlined ? outline.adjusted(1, 1, -1, -1) : DeviceRect(box);
  if (Brush.Style == bsSolid && !inside.isEmpty()) {
    painter->fillRect(inside, ToQColor(Brush.Color));
  }
  if (!outlined) {
    return;
  }
  const bool solidThin = IsThin(Pen) && (Pen.Style == psSolid || Pen.Style == psInsideFrame);
  if (solidThin && box.width() >= 2 && box.height() >= 2) {
    // A closed run of one-pixel segments covers each outline pixel once,
    // as QPainter's stroke does, at a fraction of its cost.
    TThinLine line(m_image, DeviceClip(), Pen);
    const TPoint corners[] = {{outline.left(), outline.top()}, {outline.right(), outline.top()},
                              {outline.right(), outline.bottom()}, {outline.left(), outline.bottom()}};
    for (int i = 0; i < 4; ++i) line.Segment(corners[i], corners[(i + 1) % 4]);
  } else {
    painter->drawRect(outline.adjusted(0, 0, -1, -1));
  }
}

void TImageCanvas::FillRect(const TRect& rect) {
  if (Brush.Style == bsClear || rect.Width() <= 0 || rect.Height() <= 0) {
    return;
  }
  if (QPainter* painter = BeginCopy()) {
    painter->fillRect(DeviceRect(ToQRect(rect)), ToQColor(Brush.Color));
  }
}

void TImageCanvas::Ellipse(int left, int top, int right, int bottom) {
  const QRect box = Box(left, top, right, bottom);
  if (box.isEmpty()) {
    return;
  }
  if (QPainter* painter = BeginShape(Pen, true)) {
    // An outlined ellipse covers one pixel more than its rectangle, as
    // drawRect: its outline runs through the first device pixel of the last.
    const QRect device = DeviceRect(box);
    const TPoint last = ToDevice({box.right(), box.bottom()});
    painter->drawEllipse(Pen.Style == psClear ? device
                                              : QRect(device.left(), device.top(), last.X - device.left(),
                                                      last.Y - device.top()));
  }
}

void TImageCanvas::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height() || !ClipBounds().contains(x, y)) {
    return;
  }
  // Written directly: while the painter is active the image is not shared.
  const QRect device = DeviceRect(QRect(x, y, 1, 1));
  for (int dy = device.top(); dy <= device.bottom(); ++dy) {
    for (int dx = device.left(); dx <= device.right(); ++dx) m_image.setPixel(dx, dy, ToQRgb(color));
  }
}

TColor TImageCanvas::Pixel(int x, int y) const {
  const TPoint p = ToDevice({x, y});
  return x >= 0 && y >= 0 && m_image.valid(p.X, p.Y) ? FromQRgb(m_image.pixel(p.X, p.Y)) : clBlack;
}

void TImageCanvas::TextOut(int x, int y, const std::string& utf8) {
  const QFont& font = CurrentFont();
  if (Font.Orientation == 0) {
    // Labels repeat on every redraw: copy the finished run instead.
    const TTextRun& run = TextRunOf(Font, font, Font.Color, utf8, m_image);
    m_penPos = {x + run.Width, y};
    QPainter* painter = BeginCopy();
    if (!painter) return;
    if (Brush.Style == bsSolid) painter->fillRect(DeviceRect(QRect(x, y, run.Width, run.Height)), ToQColor(Brush.Color));
    // Copied one to one, so the glyphs stay as sharp as they were drawn.
    const TPoint at = ToDevice({x, y});
    painter->drawImage(QRect(at.X - run.DeviceMargin, at.Y, run.Glyphs.width(), run.Glyphs.height()), run.Glyphs,
                       run.Glyphs.rect());
    return;
  }
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  const QFontMetrics metrics(font, &m_image);
  const int width = metrics.horizontalAdvance(text);
  m_penPos = {x + width, y};
  QPainter* painter = BeginCopy();
  if (!painter) {
    return;
  }
  if (!m_fontApplied) {
    painter->setFont(font);
    m_fontApplied = true;
  }
  const TPoint at = ToDevice({x, y});
  painter->translate(at.X, at.Y);
  painter->scale(Scale(), Scale());
  painter->rotate(-Font.Orientation / 10.0);
  if (Brush.Style == bsSolid) {
    painter->fillRect(QRect(0, 0, width, metrics.height()), ToQColor(Brush.Color));
  }
  painter->setPen(ToQColor(Font.Color));
  m_appliedPen.reset();
  painter->drawText(0, metrics.ascent(), text);
  painter->resetTransform();
}

TSize TImageCanvas::TextExtent(const std::string& utf8) {
  // A null image has no resolution; the screen's metrics then stand in.
  return TextSizeOf(Font, CurrentFont(), utf8, m_image.isNull() ? nullptr : &m_image);
}

void TImageCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  const QImage& source = bitmap.Image();
  if (QPainter* painter = BeginCopy()) {
    DrawImagePart(*painter, DeviceTarget(QRect(x, y, bitmap.Width(), bitmap.Height()), source, source.rect()), source,
                  source.rect(), m_image);
  }
}

void TImageCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
  if (dest.Width() <= 0 || dest.Height() <= 0 || sourceRect.Width() <= 0 ||
      sourceRect.Height() <= 0) {
    return;
  }
  const QImage& image = source.Image();
  // The source part is given in the source's pixels, read in its device pixels.
  const double scale = ScaleOf(image);
  const QRect part(QPoint(DevicePixel(sourceRect.Left, scale), DevicePixel(sourceRect.Top, scale)),
                   QPoint(DevicePixel(sourceRect.Right, scale) - 1, DevicePixel(sourceRect.Bottom, scale) - 1));
  if (QPainter* painter = BeginCopy()) {
    DrawImagePart(*painter, DeviceTarget(ToQRect(dest), image, part), image, part, m_image);
  }
}

void TImageCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  if (dest.Width() <= 0 || dest.Height() <= 0) {
    return;
  }
  const QImage& source = bitmap.Image();
  if (QPainter* painter = BeginCopy()) {
    DrawImagePart(*painter, DeviceRect(ToQRect(dest)), source, source.rect(), m_image);
  }
}

void TImageCanvas::SetClipRect(const TRect& rect) {
  m_clip = TRect{rect.Left, rect.Top, std::max(rect.Left, rect.Right),
                 std::max(rect.Top, rect.Bottom)};
  if (m_painter.isActive()) {
    m_painter.setClipRect(DeviceClip());
  }
}

void TImageCanvas::ResetClip() {
  m_clip.reset();
  if (m_painter.isActive()) {
    m_painter.setClipping(false);
  }
}

}  // namespace kurvex
