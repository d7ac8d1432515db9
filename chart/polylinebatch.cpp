#include "chart/polylinebatch.h"

#include <algorithm>

namespace kurvex {

namespace {

// Runs this short are copied unchanged: reducing them would save nothing.
constexpr int kShortRun = 4;

// Whether the vertical step from `from` to `to` covers row y: a segment
// covers its start pixel and leaves out its end pixel.
bool StepCovers(int from, int to, int y) {
  return from < to ? from <= y && y < to : to < y && y <= from;
}

// The rows of one column run: the steps inside the run cover every row from
// its lowest to its highest value, except its last row, which only some
// earlier step may cover. The replacement keeps exactly that.
int ReduceRun(const TPoint* run, int count, TPoint* out) {
  const int x = run[0].X;
  const int first = run[0].Y, last = run[count - 1].Y;
  int low = first, high = first;
  bool lastCovered = false;
  for (int i = 0; i < count; ++i) {
    low = std::min(low, run[i].Y);
    high = std::max(high, run[i].Y);
    if (i + 1 < count && StepCovers(run[i].Y, run[i + 1].Y, last)) lastCovered = true;
  }
  int n = 0;
  const auto put = [&](int y) { out[n++] = TPoint{x, y}; };
  put(first);
  if (low == high) return n;
  if (last != low && last != high) {
    put(low);
    put(high);
  } else if (last == high) {
    // Ending on a covered top needs a last step that starts there.
    if (lastCovered) put(high);
    put(low);
  } else {
    if (lastCovered) put(low);
    put(high);
  }
  put(last);
  return n;
}

}  // namespace

bool ColumnRunsReducible(const TPen& pen) {
  return pen.Width <= 1 && pen.Mode == pmCopy && (pen.Style == psSolid || pen.Style == psInsideFrame);
}

int ReduceColumnRuns(const TPoint* in, int count, TPoint* out) {
  int n = 0;
  for (int start = 0; start < count;) {
    int end = start + 1;
    while (end < count && in[end].X == in[start].X) ++end;
    const int length = end - start;
    if (length <= kShortRun) {
      std::copy(in + start, in + end, out + n);
      n += length;
    } else {
      n += ReduceRun(in + start, length, out + n);
    }
    start = end;
  }
  return n;
}

void TPolylineBatch::Add(TPoint p) {
  if (m_count == 0) m_points[m_count++] = m_current;
  m_points[m_count++] = p;
  if (m_count == kMaxPoints) {
    Flush();
    m_points[0] = p;
    m_count = 1;
  }
}

void TPolylineBatch::Flush() {
  if (m_count == 0) return;
  const TPoint last = m_points[m_count - 1];
  if (ColumnRunsReducible(m_canvas.Pen)) {
    m_canvas.Polyline(m_reduced.data(), ReduceColumnRuns(m_points.data(), m_count, m_reduced.data()));
  } else {
    m_canvas.Polyline(m_points.data(), m_count);
  }
  m_canvas.MoveTo(last.X, last.Y);
  m_current = last;
  m_count = 0;
}

}  // namespace kurvex
