// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/bitmapexport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "chart/chartcontrol.h"
#include "chart/graphfile.h"
#include "platform/system/error.h"
#include "platform/system/replacefile.h"

namespace kurvex {

namespace {

constexpr std::string_view kBitmapExtension = ".bmp";

// The colours a black-and-white export replaces, remembered for restoring.
struct TScreenColors {
  TColor Wind, Frame, Chart, Font, Shadow, ShadowBak;
  std::array<TColor, kLayerCount> ScaleX, ScaleY;
};

}  // namespace

std::string BitmapFileName(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) return fileName + std::string(kBitmapExtension);
  const auto sameLetter = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  if (std::equal(fileName.begin() + static_cast<std::ptrdiff_t>(dot), fileName.end(), kBitmapExtension.begin(),
                 kBitmapExtension.end(), sameLetter)) {
    return fileName;
  }
  return fileName.substr(0, dot) + std::string(kBitmapExtension);
}

void TCustomChartControl::SaveBitmap(const std::string& fileName, bool blackAndWhite) {
  const std::string target = BitmapFileName(fileName);
  if (const int error = ReplaceFileContents(target, ExportPicture(blackAndWhite).BmpBytes()); error != 0)
    throw EGraphFileError(target, std::strerror(error));
}

void TCustomChartControl::SavePng(const std::string& fileName) {
  if (const int error = ReplaceFileContents(fileName, ExportPicture(false).PngBytes()); error != 0)
    throw EGraphFileError(fileName, std::strerror(error));
}

TBitmap TCustomChartControl::ExportPicture(bool blackAndWhite) {
  const TSize plotSize = PlotBitmapSize();
  TBitmap temporary(plotSize.cx, plotSize.cy);
  TScreenColors saved{m_windColor, m_chartFrameColor, m_chartColor, m_font.Color, m_shadowColor, m_shadowBakColor,
                      {}, {}};
  // Scale colours go to the painters without the repaint a property change
  // would cause.
  const auto setScaleColors = [this](const auto& colorX, const auto& colorY) {
    m_holdAxisChanges = true;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
      ScaleX(layer).SetColorScale(colorX(layer));
      ScaleY(layer).SetColorScale(colorY(layer));
    }
    m_holdAxisChanges = false;
    ApplyAllScaleProps();
  };
  const auto restore = [&] {
    if (!blackAndWhite) return;
    m_windColor = saved.Wind;
    m_chartFrameColor = saved.Frame;
    m_chartColor = saved.Chart;
    m_font.Color = saved.Font;
    m_shadowColor = saved.Shadow;
    m_shadowBakColor = saved.ShadowBak;
    setScaleColors([&](int l) { return saved.ScaleX[l - 1]; }, [&](int l) { return saved.ScaleY[l - 1]; });
  };
  if (blackAndWhite) {
    for (int layer = 1; layer <= kLayerCount; ++layer) {
      saved.ScaleX[layer - 1] = ScaleX(layer).ColorScale();
      saved.ScaleY[layer - 1] = ScaleY(layer).ColorScale();
    }
    m_windColor = clWhite;
    m_chartColor = clWhite;
    m_chartFrameColor = clBlack;
    m_font.Color = clBlack;
    m_shadowColor = clSilver;
    m_shadowBakColor = clWhite;
    const auto black = [](int) { return clBlack; };
    setScaleColors(black, black);
  }
  // The control's picture is the window's; the export gets its own.
  TBitmap picture;
  try {
    RenderFrame(picture);
    ClearPlotArea(temporary.Canvas(), 0, 0);
    RenderItems(temporary.Canvas(), 0, 0, blackAndWhite, false);
    picture.Canvas().Draw(m_lRim, m_tRim, temporary);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return picture;
}

}  // namespace kurvex
