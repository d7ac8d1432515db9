// scratch
#include <QApplication>
#include "tests/app/mainwindow_fixture.h"
#include "platform/windows/translations.h"
namespace kurvex::test {
TEST_F(MainWindowTest, ZZShotIdle) {
  form.reset();
  TProgramTranslations en("en");
  form = std::make_unique<TForm1>();
  form->Show();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
  form->Widget()->grab().save("/tmp/idle-en.png");
}
}
