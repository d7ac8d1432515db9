#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("  K u r v e x");
  window.resize(900, 575);
  window.show();
  return app.exec();
}
