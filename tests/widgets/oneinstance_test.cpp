// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <utility>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/system/dispatcher.h"
#include "platform/windows/form.h"
#include "tests/support/pty.h"
#include "tests/support/qtapp.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/waituntil.h"
#include "widgets/applicationguard.h"
#include "widgets/instancerequest.h"
#include "widgets/oneinstance.h"

namespace kurvex {
namespace {

// Every test gets its own runtime directory, so parallel runs do not meet.
class OneInstanceTest : public test::QtAppTest {
 protected:
  void SetUp() override { setenv("XDG_RUNTIME_DIR", Runtime().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
  std::string Runtime() const { return m_runtime.path().toStdString(); }

 private:
  QTemporaryDir m_runtime;
};

// True when the message loop was asked to end before it ran: Run returns
// at once, without running the call posted before it.
bool LoopEndsAtOnce() {
  bool inRun = false, ran = false;
  TDispatcher::Post([&] {
    if (!inRun) return;  // drained after an early end
    ran = true;
    TDispatcher::Terminate();
  });
  inRun = true;
  EXPECT_EQ(TDispatcher::Run(), 0);
  inRun = false;
  TDispatcher::ProcessMessages();
  return !ran;
}

TEST_F(OneInstanceTest, LockPerUpperCasedFileName) {
  EXPECT_EQ(InstanceNameOf("./build/Kurvex.Bin"), "KURVEX.BIN");
  EXPECT_EQ(InstanceDirectory(), Runtime());
  auto first = std::make_unique<TApplicationGuard>("/first/place/probe");
  EXPECT_FALSE(first->PreviousInstance());
  EXPECT_EQ(first->SocketPath(), Runtime() + "/PROBE.socket");
  EXPECT_TRUE(TApplicationGuard("/elsewhere/PrObE").PreviousInstance());
  EXPECT_FALSE(TApplicationGuard("/first/place/probe2").PreviousInstance());
  EXPECT_EQ(TApplicationGuard::Current(), first.get());
  first.reset();
  EXPECT_FALSE(TApplicationGuard("probe").PreviousInstance()) << "the lock ends with its holder";

  setenv("XDG_RUNTIME_DIR", (Runtime() + "/missing").c_str(), 1);
  TApplicationGuard unlocked("probe");  // no lock possible: run normally
  EXPECT_FALSE(unlocked.PreviousInstance());
  TForm form;
  TOneInstance oneInstance(form);
  oneInstance.Loaded();
  EXPECT_FALSE(LoopEndsAtOnce());
}

TEST_F(OneInstanceTest, OnlyOneGuardPerProgram) {
  TForm form;
  auto first = std::make_unique<TOneInstance>(form);
  try {
    TOneInstance second(form);
    ADD_FAILURE() << "a second guard was accepted";
  } catch (const EOneInstError& error) {
    EXPECT_STREQ(error.what(), "TOneInstance:\rAlready one TOneInstance control in this project!");
  }
  first.reset();
  EXPECT_NO_THROW(TOneInstance again(form));
}

TEST_F(OneInstanceTest, LaterCopyReactsPerModeAndEnds) {
  TApplicationGuard earlier("probe");
  QLocalServer firstCopy;  // stands in for the first copy's listener
  ASSERT_TRUE(firstCopy.listen(QString::fromStdString(earlier.SocketPath())));
  // What the later copy sent; "" when it did not connect within 300 ms.
  const auto received = [&] {
    test::WaitUntil([&] { return firstCopy.hasPendingConnections(); }, 300);
    QLocalSocket* request = firstCopy.nextPendingConnection();
    if (request && request->bytesAvailable() == 0) request->waitForReadyRead(300);
    return request ? request->readAll().toStdString() : "";
  };
  TApplicationGuard guard("probe");
  ASSERT_TRUE(guard.PreviousInstance());
  QGuiApplication::setApplicationDisplayName("Probe");
  ScopedRecordingDialogs dialogs;
  TForm form;
  TOneInstance oneInstance(form);

  oneInstance.Loaded();  // oiActivateOnly
  EXPECT_EQ(received(), "activate\n");
  EXPECT_TRUE(LoopEndsAtOnce());
  EXPECT_TRUE(dialogs.Boxes().Calls.empty());

  oneInstance.SetMode(oiDefaultMessage);
  oneInstance.Loaded();
  EXPECT_EQ(dialogs.Boxes().Calls, (std::vector<MessageBoxCall>{
                                       {"\"Probe\" was already started...", "Probe",
                                        MessageIcon::Information, MessageButtons::Ok}}));
  EXPECT_EQ(received(), "activate\n");
  EXPECT_TRUE(LoopEndsAtOnce());

  oneInstance.SetMode(oiCustom);
  TObject* sender = nullptr;
  oneInstance.OnCustom = [&](TObject* s) { sender = s; };
  oneInstance.Loaded();
  EXPECT_EQ(sender, &oneInstance);
  EXPECT_EQ(received(), "") << "the handler replaces the activation";
  EXPECT_TRUE(LoopEndsAtOnce());
  oneInstance.OnCustom = nullptr;
  oneInstance.Loaded();
  EXPECT_EQ(received(), "activate\n");
  EXPECT_TRUE(LoopEndsAtOnce());

  oneInstance.SetEnabled(false);
  oneInstance.Loaded();
  EXPECT_FALSE(LoopEndsAtOnce()) << "a disabled guard lets the copy run";

  firstCopy.close();
  oneInstance.SetEnabled(true);
  oneInstance.Loaded();
  EXPECT_TRUE(LoopEndsAtOnce()) << "ends even when the first copy is not reached";
}

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

using Args = std::vector<std::string>;

// Arguments arrive whole, and every shorter piece of the request only says
// "more to come": a reader never acts on half a request.
TEST(InstanceRequest, ArgumentsArriveWholeWhicheverPiecesTheBytesComeIn) {
  const Args cases[] = {
      {"--trend"},
      {"", "a\nb", "7\n--x", "ü/ß.kxs"},
      Args(kMaxHandedArguments, "--start"),
      {std::string(kMaxHandedArgumentBytes, 'p')},
  };
  for (const Args& args : cases) {
    const std::string request = ActivationRequest(args);
    for (std::size_t size = 0; size < request.size(); ++size) {
      const TActivationRequest piece = ReadActivationRequest(std::string_view(request).substr(0, size));
      ASSERT_EQ(piece.Status, TActivationRequest::Incomplete) << size;
      EXPECT_EQ(piece.Activate, size >= 9) << size;
      EXPECT_TRUE(piece.Arguments.empty());
    }
    const TActivationRequest whole = ReadActivationRequest(request);
    EXPECT_EQ(whole.Status, TActivationRequest::Complete);
    EXPECT_TRUE(whole.Activate);
    EXPECT_EQ(whole.Arguments, args);
  }
}

TEST(InstanceRequest, WithoutUsableArgumentsOnlyTheActivationIsSent) {
  for (const Args& args : {Args{}, Args(kMaxHandedArguments + 1, "--start"),
                           Args{"--trend", std::string(kMaxHandedArgumentBytes + 1, 'p')}}) {
    EXPECT_EQ(ActivationRequest(args), "activate\n") << args.size();
  }
}

TEST(InstanceRequest, MalformedOrOversizedBytesAreIgnored) {
  const struct {
    std::string bytes;
    bool activate;
  } cases[] = {
      {"activatE\n", false},
      {"hello", false},
      {"activate\nx\n", true},
      {"activate\n\n", true},
      {"activate\n0\n", true},
      {"activate\n-1\n", true},
      {"activate\n65\n", true},
      {"activate\n123456", true},
      {"activate\n1\n4097\n", true},
      {"activate\n1\n00004097", true},
      {"activate\n1\n3 \nabc", true},
      {"activate\n1\n3\nabcd", true},
      {"activate\nactivate\n", true},
  };
  for (const auto& c : cases) {
    const TActivationRequest request = ReadActivationRequest(c.bytes);
    EXPECT_EQ(request.Status, TActivationRequest::Invalid) << c.bytes;
    EXPECT_EQ(request.Activate, c.activate) << c.bytes;
    EXPECT_TRUE(request.Arguments.empty()) << c.bytes;
  }
}

}  // namespace
}  // namespace kurvex
