// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/xaxis/xyaxis.h"

namespace kurvex {

TXYAxis::TXYAxis(TChartControl& chart, TChartContent& content, const TCurveDescriptions& curves)
    : m_chart(chart),
      m_content(content),
      m_curves(curves),
      m_contentChanges(content.SubscribeChanged([this](TContentChange) {
        m_seen.Forget();
        m_userMoved = false;
        ShowCaption();
      })),
      m_windowSet(content.SubscribeWindowSet([this] {
        m_userMoved = false;
        Apply();
      })),
      m_zoomPan(chart.SubscribeZoomPan([this](TObject*) {
        const TScaleProps& x = m_chart.Scale1X();
        m_userMoved = m_userMoved || x.RangeLow() != m_window.Low || x.RangeHigh() != m_window.High;
      })) {}

void TXYAxis::Take(const TSample& sample) {
  const std::optional<std::size_t> xCurve = m_content.XYCurve();
  if (!xCurve || !sample.Has(*xCurve)) return;
  const float x = sample.Values[*xCurve].Scaled;
  // The instrument names the curve and gives its unit with its first values.
  if (sample.Number == 1) ShowCaption();
  if (m_seen.Take(x, x) && !m_userMoved && m_seen.Outgrows(m_window)) Apply();
}

void TXYAxis::ShowCaption() {
  std::string caption;
  if (const std::optional<std::size_t> xCurve = m_content.XYCurve()) {
    const std::string unit = m_curves.Unit(*xCurve);
    caption = m_curves.Label(*xCurve) + (unit.empty() ? "" : " [" + unit + "]");
  }
  // Each change repaints the chart; an acquisition by numbers changes nothing.
  if (m_chart.Scale1X().Caption() != caption) m_chart.Scale1X().SetCaption(caption);
}

void TXYAxis::Apply() {
  if (!m_content.XYCurve()) return;
  m_window = m_seen.Window();
  const TScaleProps& y = m_chart.Scale1Y();
  m_chart.SetRange(1, m_window.Low, y.RangeLow(), m_window.High, y.RangeHigh());
}

}  // namespace kurvex
