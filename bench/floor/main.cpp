// SPDX-License-Identifier: GPL-3.0-or-later
// qt-floor: the least a Qt widget window can cost while it shows a busy
// indicator: a window of the program's size whose only activity is a
// 32 x 32 square repainted 20 times a second, as the indicator's ticks.
// window-bench measures it beside the program, so the program's idle figure
// can be read against what the toolkit alone costs on the same machine at
// the same moment. Answers window-bench's "count" (0) and "quit" on
// standard input.
#include <unistd.h>

#include <QApplication>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <string>

namespace {

class TickSquare : public QWidget {
 public:
  explicit TickSquare(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
  void Tick() {
    ++m_ticks;
    repaint();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), m_ticks % 2 ? Qt::darkBlue : Qt::blue);
  }

 private:
  int m_ticks = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1000, 700);
  auto* square = new TickSquare(&window);
  square->setGeometry(10, 10, 32, 32);
  window.show();
  QTimer ticks;
  ticks.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticks, &QTimer::timeout, square, &TickSquare::Tick);
  ticks.start(50);
  std::string pending;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char bytes[256];
    const ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
    if (n <= 0) {
      QApplication::quit();
      return;
    }
    pending.append(bytes, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      const std::string command = pending.substr(0, end);
      if (command == "quit") QApplication::quit();
      std::printf("%s\n", command == "count" ? "0" : "?");
      std::fflush(stdout);
    }
  });
  return app.exec();
}
