#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "platform/dispatcher.h"
#include "platform/form.h"
#include "platform/recordingdialogs.h"
#include "tests/support/qtapp.h"
#include "widgets/applicationguard.h"
#include "widgets/oneinstance.h"

namespace kurvex {
namespace {

// Every test gets its own runtime directory, so runs in parallel and the
// developer's own copies do not meet.
class OneInstanceTest : public test::QtAppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_runtime.isValid());
    setenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit().constData(), 1);
  }
  void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }

  std::string Runtime() const { return m_runtime.path().toStdString(); }

 private:
  QTemporaryDir m_runtime;
};

// Plays the first copy: listens on the guard's socket and keeps what
// later copies send.
class FirstCopy {
 public:
  explicit FirstCopy(const std::string& socketPath) {
    m_server.listen(QString::fromStdString(socketPath));
    QObject::connect(&m_server, &QLocalServer::newConnection, [this] {
      QLocalSocket* client = m_server.nextPendingConnection();
      QObject::connect(client, &QLocalSocket::readyRead, [this, client] { m_received += client->readAll(); });
    });
  }
  void Close() { m_server.close(); }
  /// What arrived since the last call (waiting a little for it).
  QByteArray Take(int waitMs = 300) {
    QElapsedTimer clock;
    clock.start();
    while (m_received.isEmpty() && clock.elapsed() < waitMs) QCoreApplication::processEvents();
    return std::exchange(m_received, {});
  }

 private:
  QLocalServer m_server;
  QByteArray m_received;
};

// True when the message loop was asked to end before it ran: Run returns at
// once without running the call posted before it.
bool LoopEndsAtOnce() {
  bool inRun = false;
  bool ran = false;
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

TEST(InstanceName, FileNameUpperCased) {
  EXPECT_EQ(InstanceNameOf("/usr/local/bin/kurvex"), "KURVEX");
  EXPECT_EQ(InstanceNameOf("kurvex"), "KURVEX");
  EXPECT_EQ(InstanceNameOf("./build/Kurvex.Bin"), "KURVEX.BIN");
  EXPECT_EQ(InstanceNameOf("/opt/dir.d/"), "");
}

TEST_F(OneInstanceTest, LockDirectoryFollowsTheRuntimeDirectory) {
  EXPECT_EQ(InstanceDirectory(), Runtime());
  setenv("XDG_RUNTIME_DIR", "relative/dir", 1);  // not absolute: not used
  const std::string fallback = "/tmp/kurvex-" + std::to_string(getuid());
  EXPECT_EQ(InstanceDirectory(), fallback);
  struct stat info {};
  ASSERT_EQ(stat(fallback.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "private to this user";
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(InstanceDirectory(), fallback);
}

TEST_F(OneInstanceTest, GuardSeesAnEarlierCopyBySameFileName) {
  auto first = std::make_unique<TApplicationGuard>("/first/place/probe");
  EXPECT_FALSE(first->PreviousInstance());
  EXPECT_EQ(first->InstanceName(), "PROBE");
  EXPECT_EQ(first->SocketPath(), Runtime() + "/PROBE.socket");
  {
    TApplicationGuard sameName("/elsewhere/probe");
    EXPECT_TRUE(sameName.PreviousInstance());
    EXPECT_EQ(TApplicationGuard::Current(), &sameName);
    TApplicationGuard otherCase("PrObE");
    EXPECT_TRUE(otherCase.PreviousInstance());
    TApplicationGuard otherName("/first/place/probe2");
    EXPECT_FALSE(otherName.PreviousInstance());
  }
  first.reset();
  EXPECT_EQ(TApplicationGuard::Current(), nullptr);
  TApplicationGuard next("/first/place/probe");
  EXPECT_FALSE(next.PreviousInstance()) << "the lock ends with its holder";
}

TEST_F(OneInstanceTest, NoUsableLockRunsNormally) {
  setenv("XDG_RUNTIME_DIR", (Runtime() + "/missing").c_str(), 1);
  TApplicationGuard guard("/bin/probe");
  EXPECT_FALSE(guard.PreviousInstance());
  EXPECT_EQ(guard.SocketPath(), "");
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
  TApplicationGuard earlier("/bin/probe");
  FirstCopy firstCopy(earlier.SocketPath());
  TApplicationGuard guard("/bin/probe");
  ASSERT_TRUE(guard.PreviousInstance());
  QGuiApplication::setApplicationDisplayName("Probe");
  ScopedRecordingDialogs dialogs;
  TForm form;

  {
    TOneInstance oneInstance(form);
    EXPECT_TRUE(oneInstance.Enabled());
    EXPECT_EQ(oneInstance.Mode(), oiActivateOnly);
    oneInstance.Loaded();
    EXPECT_EQ(firstCopy.Take(), "activate\n");
    EXPECT_TRUE(dialogs.Boxes().Calls.empty());
    EXPECT_TRUE(LoopEndsAtOnce());
  }
  {
    TOneInstance oneInstance(form);
    oneInstance.SetMode(oiDefaultMessage);
    oneInstance.Loaded();
    ASSERT_EQ(dialogs.Boxes().Calls.size(), 1u);
    EXPECT_EQ(dialogs.Boxes().Calls[0],
              (MessageBoxCall{"\"Probe\" was already started...", "Probe",
                              MessageIcon::Information, MessageButtons::Ok}));
    EXPECT_EQ(firstCopy.Take(), "activate\n");
    EXPECT_TRUE(LoopEndsAtOnce());
  }
  {
    TOneInstance oneInstance(form);
    oneInstance.SetMode(oiCustom);
    TObject* sender = nullptr;
    oneInstance.OnCustom = [&](TObject* s) { sender = s; };
    oneInstance.Loaded();
    EXPECT_EQ(sender, &oneInstance);
    EXPECT_EQ(firstCopy.Take(), "") << "the handler replaces the activation";
    EXPECT_TRUE(LoopEndsAtOnce());
    oneInstance.OnCustom = nullptr;
    oneInstance.Loaded();
    EXPECT_EQ(firstCopy.Take(), "activate\n");
    EXPECT_TRUE(LoopEndsAtOnce());
  }
  {
    TOneInstance oneInstance(form);
    oneInstance.SetEnabled(false);
    oneInstance.Loaded();
    EXPECT_EQ(firstCopy.Take(), "");
    EXPECT_FALSE(LoopEndsAtOnce()) << "a disabled guard lets the copy run";
  }
  // Nobody listening: the copy still ends.
  firstCopy.Close();
  TOneInstance oneInstance(form);
  oneInstance.Loaded();
  EXPECT_TRUE(LoopEndsAtOnce());
  EXPECT_EQ(dialogs.Boxes().Calls.size(), 1u);
}

// A socket file whose listener is gone, as a crashed copy leaves it.
void LeaveStaleSocket(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(fd);
}

TEST_F(OneInstanceTest, FirstCopyComesForwardOnRequestOnly) {
  TApplicationGuard guard("/bin/probe");
  ASSERT_FALSE(guard.PreviousInstance());
  LeaveStaleSocket(guard.SocketPath());
  TForm form;
  TOneInstance oneInstance(form);
  oneInstance.Loaded();
  EXPECT_FALSE(LoopEndsAtOnce()) << "the first copy runs";
  form.Widget()->showMinimized();
  QCoreApplication::processEvents();
  ASSERT_TRUE(form.Widget()->isMinimized());

  auto send = [&](const QByteArray& text) {
    QLocalSocket client;
    client.connectToServer(QString::fromStdString(guard.SocketPath()));
    ASSERT_TRUE(client.waitForConnected(1000)) << "the stale socket was not replaced";
    client.write(text);
    client.waitForBytesWritten(1000);
    client.disconnectFromServer();
    QElapsedTimer clock;
    clock.start();
    while (form.Widget()->isMinimized() && clock.elapsed() < 300) QCoreApplication::processEvents();
  };
  send("hello there\n");
  EXPECT_TRUE(form.Widget()->isMinimized()) << "only the activation request counts";
  send("activate\n");
  EXPECT_FALSE(form.Widget()->isMinimized()) << "restored";
}

}  // namespace
}  // namespace kurvex
