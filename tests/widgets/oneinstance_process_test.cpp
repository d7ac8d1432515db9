#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

// Starts real copies of the program (offscreen, in a private runtime
// directory) and watches what they print: "ready" once the message loop
// runs, "activated" when a later start brought the window back.
class OneInstanceProcessTest : public test::QtAppTest {
 protected:
  void SetUp() override { ASSERT_TRUE(m_runtime.isValid()); }

  void TearDown() override {
    for (auto& copy : m_copies) {
      if (copy->state() != QProcess::NotRunning) {
        copy->kill();
        copy->waitForFinished(2000);
      }
    }
  }

  QProcess& Start(const QString& program) {
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    copy->setProcessEnvironment(env);
    copy->setProcessChannelMode(QProcess::SeparateChannels);
    copy->start(program, {});
    EXPECT_TRUE(copy->waitForStarted(5000)) << program.toStdString();
    m_copies.push_back(std::move(copy));
    return *m_copies.back();
  }

  // Waits until `copy` has printed `line` (output read so far is kept).
  static bool Printed(QProcess& copy, const QByteArray& line, int waitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (true) {
      const QByteArray seen = copy.property("seen").toByteArray() + copy.readAllStandardOutput();
      copy.setProperty("seen", seen);
      if (seen.split('\n').contains(line)) return true;
      if (clock.elapsed() > waitMs || copy.state() == QProcess::NotRunning) return false;
      copy.waitForReadyRead(50);
    }
  }

  // A copy of the program under another path.
  QString CopyAs(const QString& relativePath) {
    const QString path = m_runtime.filePath("bin/" + relativePath);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(QFile::copy(Program(), path)) << path.toStdString();
    QFile::setPermissions(path, QFile::permissions(Program()));
    return path;
  }

  static QString Program() { return KURVEX_INSTANCE_PROGRAM; }

  // Starts a copy that must find the first one: it ends by itself, with
  // code 0, within a second, without ever reaching its message loop.
  void ExpectSecondCopyEnds(const QString& program) {
    QElapsedTimer clock;
    clock.start();
    QProcess& second = Start(program);
    ASSERT_TRUE(second.waitForFinished(3000)) << "the second copy keeps running";
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(Printed(second, "ready", 0));
  }

  QTemporaryDir m_runtime;
  std::vector<std::unique_ptr<QProcess>> m_copies;
};

TEST_F(OneInstanceProcessTest, SecondStartActivatesTheFirstAndEnds) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Printed(first, "ready"));
  ExpectSecondCopyEnds(Program());
  EXPECT_TRUE(Printed(first, "activated", 2000));
  ExpectSecondCopyEnds(CopyAs("elsewhere/" + QFileInfo(Program()).fileName()));
  ExpectSecondCopyEnds(CopyAs(QFileInfo(Program()).fileName().toUpper()));
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(OneInstanceProcessTest, KilledFirstCopyDoesNotBlockTheNextStart) {
  QProcess& crashed = Start(Program());
  ASSERT_TRUE(Printed(crashed, "ready"));
  crashed.kill();  // SIGKILL: no clean-up runs
  ASSERT_TRUE(crashed.waitForFinished(2000));
  const QString socketFile =
      m_runtime.filePath(QFileInfo(Program()).fileName().toUpper() + ".socket");
  EXPECT_TRUE(QFile::exists(socketFile)) << "left behind by the killed copy";

  QProcess& next = Start(Program());
  ASSERT_TRUE(Printed(next, "ready")) << "the next start runs normally";
  ExpectSecondCopyEnds(Program());
  EXPECT_TRUE(Printed(next, "activated", 2000)) << "it listens on a fresh socket";
}

TEST_F(OneInstanceProcessTest, CopiesUnderDifferentFileNamesBothRun) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Printed(first, "ready"));
  QProcess& other = Start(CopyAs("other-probe"));
  EXPECT_TRUE(Printed(other, "ready"));
  EXPECT_FALSE(other.waitForFinished(300));
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_FALSE(Printed(first, "activated", 0));
}

}  // namespace
}  // namespace kurvex
