// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

// The line by which the running program shows that a later start brought
// its window back.
constexpr char kActivatedLine[] = "kurvex: a second start brought this window to the front";

// Starts real copies of the program, offscreen in a private runtime directory.
class OneInstanceProcessTest : public test::QtAppTest {
 protected:
  void TearDown() override {
    for (auto& copy : m_copies) {
      copy->kill();
      copy->waitForFinished(2000);
    }
  }

  QProcess& Start(const QString& program) {
    auto& copy = m_copies.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    copy->setProcessEnvironment(env);
    copy->setProcessChannelMode(QProcess::MergedChannels);
    copy->start(program, {});
    EXPECT_TRUE(copy->waitForStarted(5000));
    return *copy;
  }

  // Waits until `copy` has printed `line`; what it printed so far is kept.
  static bool Printed(QProcess& copy, const QByteArray& line, int waitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
      copy.setProperty("seen", copy.property("seen").toByteArray() + copy.readAllStandardOutput());
      if (copy.property("seen").toByteArray().split('\n').contains(line)) return true;
      if (clock.elapsed() >= waitMs || copy.state() == QProcess::NotRunning) return false;
      copy.waitForReadyRead(50);
    }
  }

  QString CopyAs(const QString& relativePath) {
    const QString path = m_runtime.filePath("bin/" + relativePath);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(QFile::copy(Program(), path));
    return path;
  }

  static QString Program() { return KURVEX_PROGRAM; }

  // The copy is the first and can be reached: it accepts connections on its
  // socket (a file left by a killed copy refuses them).
  bool Ready(QProcess& copy) {
    const QString socket = m_runtime.filePath(QFileInfo(copy.program()).fileName().toUpper() + ".socket");
    QElapsedTimer clock;
    clock.start();
    for (;;) {
      QLocalSocket probe;
      probe.connectToServer(socket);
      if (probe.waitForConnected(100)) return true;
      if (clock.elapsed() > 5000 || copy.state() == QProcess::NotRunning) return false;
      copy.waitForFinished(20);
    }
  }
  bool Activated(QProcess& copy, int waitMs) { return Printed(copy, kActivatedLine, waitMs); }

  // A copy that finds the first one ends by itself, with code 0. (How fast
  // is no matter for a unit test: a sanitized build starts several times
  // slower.)
  void ExpectLaterCopyEnds(const QString& program) {
    QProcess& later = Start(program);
    ASSERT_TRUE(later.waitForFinished(15000)) << "the later copy keeps running";
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0);
  }

  QTemporaryDir m_runtime;
  std::vector<std::unique_ptr<QProcess>> m_copies;
};

TEST_F(OneInstanceProcessTest, LaterStartActivatesTheFirstAndEndsAlsoAfterTheFirstWasKilled) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Ready(first));
  ExpectLaterCopyEnds(Program());
  EXPECT_TRUE(Activated(first, 2000));
  const QString name = QFileInfo(Program()).fileName();
  ExpectLaterCopyEnds(CopyAs("elsewhere/" + name));  // same name, other directory
  ExpectLaterCopyEnds(CopyAs(name.toUpper()));
  EXPECT_EQ(first.state(), QProcess::Running);

  first.kill();  // SIGKILL: nothing is cleaned up
  ASSERT_TRUE(first.waitForFinished(2000));
  EXPECT_TRUE(QFile::exists(m_runtime.filePath(name.toUpper() + ".socket")));
  QProcess& next = Start(Program());
  ASSERT_TRUE(Ready(next)) << "the next start runs normally";
  ExpectLaterCopyEnds(Program());
  EXPECT_TRUE(Activated(next, 2000)) << "it listens on a fresh socket";
}

TEST_F(OneInstanceProcessTest, CopiesUnderDifferentFileNamesBothRun) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Ready(first));
  QProcess& other = Start(CopyAs("other-probe"));
  EXPECT_TRUE(Ready(other));
  EXPECT_FALSE(other.waitForFinished(300));
  EXPECT_FALSE(Activated(first, 0));
}

}  // namespace
}  // namespace kurvex
