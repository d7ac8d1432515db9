// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <memory>

#include "platform/windows/deferredtext.h"
#include "platform/system/dispatcher.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

class DeferredTextTest : public test::QtAppTest {
 protected:
  static void RunLoopFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) TDispatcher::ProcessMessages();
  }
};

TEST_F(DeferredTextTest, ManyChangesReachTheWidgetOnceWithTheLastText) {
  QLabel label;
  int applied = 0;
  TDeferredText text(&label, [&](const std::string& t) {
    ++applied;
    label.setText(QString::fromStdString(t));
  });
  for (int i = 1; i <= 1000; ++i) text.Set(std::to_string(i));
  EXPECT_EQ(text.Text(), "1000");
  EXPECT_EQ(applied, 0);
  RunLoopFor(100);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(label.text(), "1000");
  text.Set("x");
  RunLoopFor(100);
  EXPECT_EQ(applied, 2);
}

TEST_F(DeferredTextTest, APendingChangeIsDroppedWithItsWidget) {
  auto label = std::make_unique<QLabel>();
  bool applied = false;
  {
    TDeferredText text(label.get(), [&](const std::string&) { applied = true; });
    text.Set("gone");
  }
  label.reset();
  RunLoopFor(100);
  EXPECT_FALSE(applied);
}

TEST_F(DeferredTextTest, ASourceIsReadOnlyWhenTheTextIsNeeded) {
  QLabel label;
  TDeferredText text(&label, [&](const std::string& t) { label.setText(QString::fromStdString(t)); });
  int made = 0;
  for (int i = 1; i <= 100; ++i)
    text.SetSource([&made, i] {
      ++made;
      return std::to_string(i);
    });
  EXPECT_EQ(made, 0);
  EXPECT_EQ(text.Text(), "100");
  EXPECT_EQ(text.Text(), "100");
  EXPECT_EQ(made, 1);
  text.SetSource([] { return std::string("shown"); });
  RunLoopFor(100);
  EXPECT_EQ(label.text(), "shown");
  text.Set("plain");  // a plain text replaces a pending source
  EXPECT_EQ(text.Text(), "plain");
}

}  // namespace
}  // namespace kurvex
