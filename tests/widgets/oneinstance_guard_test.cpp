// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "platform/system/dispatcher.h"
#include "platform/windows/form.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"
#include "widgets/applicationguard.h"
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

}  // namespace
}  // namespace kurvex
