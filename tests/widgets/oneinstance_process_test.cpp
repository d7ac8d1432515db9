#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

// Starts real copies of the program, offscreen in a private runtime
// directory. They print "ready" once their message loop runs and
// "activated" when a later start brought their window back.
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

  static QString Program() { return KURVEX_INSTANCE_PROGRAM; }

  // A copy that finds the first one ends by itself, with code 0, within a
  // second, without reaching its message loop.
  void ExpectLaterCopyEnds(const QString& program) {
    QElapsedTimer clock;
    clock.start();
    QProcess& later = Start(program);
    ASSERT_TRUE(later.waitForFinished(3000)) << "the later copy keeps running";
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0);
    EXPECT_FALSE(Printed(later, "ready", 0));
  }

  QTemporaryDir m_runtime;
  std::vector<std::unique_ptr<QProcess>> m_copies;
};

TEST_F(OneInstanceProcessTest, LaterStartActivatesTheFirstAndEnds) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Printed(first, "ready"));
  ExpectLaterCopyEnds(Program());
  EXPECT_TRUE(Printed(first, "activated", 2000));
  const QString name = QFileInfo(Program()).fileName();
  ExpectLaterCopyEnds(CopyAs("elsewhere/" + name));  // same name, other directory
  ExpectLaterCopyEnds(CopyAs(name.toUpper()));
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(OneInstanceProcessTest, KilledFirstCopyDoesNotBlockTheNextStart) {
  QProcess& crashed = Start(Program());
  ASSERT_TRUE(Printed(crashed, "ready"));
  crashed.kill();  // SIGKILL: nothing is cleaned up
  ASSERT_TRUE(crashed.waitForFinished(2000));
  EXPECT_TRUE(QFile::exists(m_runtime.filePath(QFileInfo(Program()).fileName().toUpper() +
                                               ".socket")));
  QProcess& next = Start(Program());
  ASSERT_TRUE(Printed(next, "ready")) << "the next start runs normally";
  ExpectLaterCopyEnds(Program());
  EXPECT_TRUE(Printed(next, "activated", 2000)) << "it listens on a fresh socket";
}

TEST_F(OneInstanceProcessTest, CopiesUnderDifferentFileNamesBothRun) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Printed(first, "ready"));
  QProcess& other = Start(CopyAs("other-probe"));
  EXPECT_TRUE(Printed(other, "ready"));
  EXPECT_FALSE(other.waitForFinished(300));
  EXPECT_FALSE(Printed(first, "activated", 0));
}

}  // namespace
}  // namespace kurvex
