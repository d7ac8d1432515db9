// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>

#include <array>
#include <optional>

#include "platform/drawing/color.h"
#include "widgets/circularprogresslayout.h"
#include "widgets/circularprogresssegments.h"

namespace kurvex {

class TProgressAppearance;

/// What a busy indicator's picture shows besides the animation state.
struct TRingScene {
  int Width = 0;
  int Height = 0;
  double Scale = 1;  // device pixels per pixel
  QColor Backdrop;   // the parent's colour, shown where BackGroundColor is clNone
  int Progress = -1;  // segments that show the progress value
  std::array<TColor, 6> Colors{};  // the appearance's colours

  TRingScene(int width, int height, double scale, QColor backdrop, int progress,
             const TProgressAppearance& look);
  bool operator==(const TRingScene&) const = default;
};

/// The pictures of one busy indicator, one per animation state (twelve
/// segments in two phases): each is drawn the first time it is shown and
/// kept while the scene stays, so a tick only copies pixels. A picture
/// covers every pixel of the control. GUI thread only.
class TRingPictures {
 public:
  const QImage& Picture(const TRingScene& scene, const TSegmentCycle& cycle, const TProgressAppearance& look);

 private:
  void Draw(QImage& image, const TSegmentCycle& cycle, const TProgressAppearance& look) const;
  void BuildShapes(bool bordered);

  std::optional<TRingScene> m_scene;
  std::array<QImage, 2 * kSegmentCount> m_pictures;
  // Built once per scene, never per picture.
  std::array<QPainterPath, kSegmentCount> m_segments;
  QPainterPath m_outsideHole;  // the clip: everything but the hole
};

}  // namespace kurvex
