// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a graph file: loading and painting them must never
// crash, hang or hit undefined behaviour.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include <QApplication>

#include "chart/chartcontrol.h"
#include "chart/graphfile.h"

namespace {

kurvex::TChartControl& Chart() {
  static int argc = 1;
  static char name[] = "graphfile_fuzz";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  static kurvex::TChartControl* chart = [] {
    auto* c = new kurvex::TChartControl;
    c->SetBounds(0, 0, 657, 371);
    c->SetLRim(70);
    c->SetRRim(20);
    c->SetTRim(20);
    c->SetBRim(40);
    c->SetGridStyle(kurvex::gsLines);
    c->Show();
    c->HandleNeeded();
    return c;
  }();
  (void)app;
  return *chart;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kurvex::TChartControl& chart = Chart();
  // The bytes become a file without touching the disk.
  const int fd = ::memfd_create("graph", MFD_CLOEXEC);
  if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
  const int before = chart.ItemCount();
  try {
    chart.LoadGraph("/proc/self/fd/" + std::to_string(fd), true);
  } catch (const kurvex::EGraphFileError&) {
    // Only a file that is no graph file is refused, and it leaves the items.
    const std::size_t whole = size - size % sizeof(kurvex::TChartItem);
    if (!kurvex::NotAGraphFile({reinterpret_cast<const char*>(data), whole}) || chart.ItemCount() != before)
      std::abort();
    ::close(fd);
    return 0;
  }
  ::close(fd);
  if (chart.ItemCount() != static_cast<int>(size / sizeof(kurvex::TChartItem))) std::abort();
  chart.Paint();
  chart.SaveBitmap("/dev/null", true);
  return 0;
}
