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

#include "tests/support/pty.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

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

  // A copy with `arguments`, started in the runtime directory's "work"
  // folder; without a display it has none of the variables that name one.
  QProcess& Start(const QString& program, const QStringList& arguments = {}, bool display = true) {
    auto& copy = m_copies.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (!display) {
      for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(variable);
    }
    copy->setProcessEnvironment(env);
    copy->setProcessChannelMode(QProcess::MergedChannels);
    QDir().mkpath(WorkFolder());
    copy->setWorkingDirectory(WorkFolder());
    copy->start(program, arguments);
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
  QString WorkFolder() const { return m_runtime.filePath("work"); }

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
  void ExpectLaterCopyEnds(const QString& program, const QStringList& arguments = {}) {
    QProcess& later = Start(program, arguments);
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

// Once the window shows, the first copy does as its command line says: the
// recording file appears only when Start opened the port given.
TEST_F(OneInstanceProcessTest, FirstStartAcquiresFromThePortAndIntoTheFileItIsGiven) {
  test::TempConfigHome config;
  test::PtyPair pty;
  test::LinkComPort(7, pty.SlavePath());
  QProcess& first = Start(Program(), {"--port", "7", "--record", "../first.csv", "--start"});
  EXPECT_TRUE(test::WaitUntil([&] { return QFile::exists(m_runtime.filePath("first.csv")); }, 15000))
      << first.readAll().toStdString();
  EXPECT_EQ(first.state(), QProcess::Running);
}

// The setup and options of a later start reach the first copy, its paths
// made absolute where the later one was started.
TEST_F(OneInstanceProcessTest, LaterStartHandsItsSetupAndOptionsToTheFirst) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Ready(first));
  ExpectLaterCopyEnds(Program(), {"waage.kxs", "--baud", "9600", "--record", "../m.csv"});
  const QByteArray handedOver = "kurvex: a second start handed over --baud=9600 --record=" +
                                m_runtime.filePath("m.csv").toUtf8() + " -- " +
                                m_runtime.filePath("work/waage.kxs").toUtf8();
  EXPECT_TRUE(Printed(first, handedOver)) << first.property("seen").toByteArray().toStdString();
  EXPECT_TRUE(Activated(first, 0)) << "the window came forward too";
  EXPECT_EQ(first.state(), QProcess::Running);
}

// Bad arguments, --help and --version are answered at once: without a
// display, and without a word to a copy that runs.
TEST_F(OneInstanceProcessTest, ArgumentsAreAnsweredBeforeTheDisplayAndTheRunningCopy) {
  QProcess& first = Start(Program());
  ASSERT_TRUE(Ready(first));
  const struct {
    QStringList arguments;
    int exitCode;
    QByteArray output;
  } cases[] = {
      {{"--bogus"}, 2, "kurvex: unknown option --bogus"},
      {{"--baud", "fast"}, 2, "kurvex: --baud wants a positive number of bits per second, not \"fast\""},
      {{"a.kxs", "b.kxs"}, 2, "kurvex: only one setup file can be given, not also b.kxs"},
      {{"--format", "9N1", "--help"}, 2, "Usage: kurvex [SETUP.kxs] [--port N|DEVICE] [--baud N] [--format F] [--trend]"},
      {{"--help"}, 0, "Usage: kurvex [SETUP.kxs] [--port N|DEVICE] [--baud N] [--format F] [--trend]"},
      {{"--version"}, 0, "kurvex " KURVEX_VERSION},
      {{}, 1, "kurvex: no display: neither DISPLAY nor WAYLAND_DISPLAY is set; start it on a desktop session."},
  };
  for (const auto& c : cases) {
    QProcess& copy = Start(Program(), c.arguments, /*display=*/false);
    ASSERT_TRUE(copy.waitForFinished(15000)) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(copy.exitCode(), c.exitCode) << c.arguments.join(' ').toStdString();
    EXPECT_TRUE(Printed(copy, c.output)) << copy.property("seen").toByteArray().toStdString();
  }
  QProcess& bad = Start(Program(), {"--port", "nowhere"});
  ASSERT_TRUE(bad.waitForFinished(15000));
  EXPECT_EQ(bad.exitCode(), 2) << "with a display too";
  // A good start afterwards is the first the running copy hears of.
  ExpectLaterCopyEnds(Program());
  ASSERT_TRUE(Activated(first, 5000));
  EXPECT_EQ(first.property("seen").toByteArray().count(kActivatedLine), 1);
}

}  // namespace
}  // namespace kurvex
