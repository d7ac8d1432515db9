// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recordingcanvas.h"

namespace kurvex::test {

namespace {
constexpr int kCharWidth = 6, kLineHeight = 12;
}  // namespace

std::vector<CanvasCall> TRecordingCanvas::CallsOf(const std::string& op) const {
  std::vector<CanvasCall> found;
  for (const CanvasCall& call : Calls)
    if (call.Op == op) found.push_back(call);
  return found;
}

void TRecordingCanvas::Record(const std::string& op, std::vector<TPoint> points, std::string text) {
  Calls.push_back(CanvasCall{op, std::move(points), Pen, Brush, std::move(text)});
}

void TRecordingCanvas::LineTo(int x, int y) {
  Record("LineTo", {m_penPos, {x, y}});
  m_penPos = {x, y};
}

void TRecordingCanvas::Polyline(const TPoint* points, int count) {
  Record("Polyline", std::vector<TPoint>(points, points + count));
}

void TRecordingCanvas::Polygon(const TPoint* points, int count) {
  Record("Polygon", std::vector<TPoint>(points, points + count));
}

void TRecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Record("Rectangle", {{left, top}, {right, bottom}});
}

void TRecordingCanvas::FillRect(const TRect& r) { Record("FillRect", {{r.Left, r.Top}, {r.Right, r.Bottom}}); }

void TRecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Record("Ellipse", {{left, top}, {right, bottom}});
}

void TRecordingCanvas::SetPixel(int x, int y, TColor color) {
  Record("SetPixel", {{x, y}});
  Calls.back().Pen.Color = color;
}

TColor TRecordingCanvas::Pixel(int, int) const { return clBlack; }

void TRecordingCanvas::TextOut(int x, int y, const std::string& utf8) {
  Record("TextOut", {{x, y}}, utf8);
  m_penPos = {x + TextExtent(utf8).cx, y};
}

TSize TRecordingCanvas::TextExtent(const std::string& utf8) {
  return {static_cast<int>(utf8.size()) * kCharWidth, kLineHeight};
}

void TRecordingCanvas::Draw(int x, int y, const TBitmap&) { Record("Draw", {{x, y}}); }

void TRecordingCanvas::CopyRect(const TRect& d, const TBitmap&, const TRect&) {
  Record("CopyRect", {{d.Left, d.Top}, {d.Right, d.Bottom}});
}

void TRecordingCanvas::StretchDraw(const TRect& d, const TBitmap&) {
  Record("StretchDraw", {{d.Left, d.Top}, {d.Right, d.Bottom}});
}

void TRecordingCanvas::SetClipRect(const TRect& r) { Record("SetClipRect", {{r.Left, r.Top}, {r.Right, r.Bottom}}); }

void TRecordingCanvas::ResetClip() { Record("ResetClip", {}); }

}  // namespace kurvex::test
