// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/circularprogresspictures.h"

#include <QPainter>

#include <cmath>

#include "platform/drawing/qtconvert.h"
#include "widgets/progressappearance.h"

namespace kurvex {

TRingScene::TRingScene(int width, int height, double scale, QColor backdrop, int progress,
                       const TProgressAppearance& look)
    : Width(width),
      Height(height),
      Scale(scale),
      Backdrop(backdrop),
      Progress(progress),
      Colors{look.BackGroundColor(), look.BorderColor(), look.ActiveSegmentColor(),
             look.TransitionSegmentColor(), look.InActiveSegmentColor(), look.ProgressSegmentColor()} {}

const QImage& TRingPictures::Picture(const TRingScene& scene, const TSegmentCycle& cycle,
                                     const TProgressAppearance& look) {
  if (m_scene != scene) {
    m_scene = scene;
    m_pictures = {};
    BuildShapes(look.BorderColor() != clNone);
  }
  QImage& picture = m_pictures[(cycle.FillPhase() ? 0 : kSegmentCount) + cycle.CurrentSegment() - 1];
  if (picture.isNull()) {
    // At the screen's resolution, as the ring would be painted there.
    picture = QImage(static_cast<int>(std::ceil(scene.Width * scene.Scale)),
                     static_cast<int>(std::ceil(scene.Height * scene.Scale)), QImage::Format_RGB32);
    picture.setDevicePixelRatio(scene.Scale);
    Draw(picture, cycle, look);
  }
  return picture;
}

void TRingPictures::BuildShapes(bool bordered) {
  const int w = m_scene->Width;
  const int h = m_scene->Height;
  const TRect ring = RingRect(w, h, bordered);
  const QRectF ellipse(ring.Left, ring.Top, ring.Width(), ring.Height());
  const int sweep = SegmentSweep(w, h);
  for (int i = 0; i < kSegmentCount; ++i) {
    QPainterPath pie;
    pie.moveTo(ellipse.center());
    // Qt counts angles counter-clockwise; the ring's angles run clockwise.
    pie.arcTo(ellipse, -SegmentStartAngle(i + 1), -sweep);
    pie.closeSubpath();
    m_segments[i] = pie;
  }
  const TRect hole = HoleRect(ring);
  m_outsideHole = QPainterPath();
  m_outsideHole.setFillRule(Qt::OddEvenFill);
  m_outsideHole.addRect(0, 0, w, h);
  m_outsideHole.addEllipse(hole.Left, hole.Top, hole.Width(), hole.Height());
}

void TRingPictures::Draw(QImage& image, const TSegmentCycle& cycle, const TProgressAppearance& look) const {
  const TRingScene& scene = *m_scene;
  QPainter painter(&image);
  const QRect all(0, 0, scene.Width, scene.Height);
  const TColor background = look.BackGroundColor();
  painter.fillRect(all, background != clNone ? ToQColor(background) : scene.Backdrop);
  if (look.BorderColor() != clNone) {
    painter.setPen(ToQColor(look.BorderColor()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, scene.Width - 1, scene.Height - 1);
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipPath(m_outsideHole, Qt::IntersectClip);
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < kSegmentCount; ++i) {
    const TColor color = SegmentColor(i + 1, cycle, scene.Progress, look);
    if (color != clNone) painter.fillPath(m_segments[i], ToQColor(color));
  }
}

}  // namespace kurvex
