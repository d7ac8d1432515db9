// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "app/commandline.h"
#include "app/recording/recordingtexts.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/strictcsv.h"
#include "tests/support/tempfolder.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// The window's own port settings as the design has them, for what must stay.
struct PortFields {
  std::string com, baud, format;
  friend bool operator==(const PortFields&, const PortFields&) = default;
};

class CommandLineWindowTest : public MainWindowTest {
 protected:
  PortFields Fields() const {
    return {form->ComComboBox->Text(), form->BaudComboBox->Text(), form->FormatComboBox->Text()};
  }
  TempFolder folder;
};

TEST_F(CommandLineWindowTest, OptionsSetTheControlsAndTheFormatsBitsFollow) {
  form->ComComboBox->SetText("3");
  form->ApplyCommandLine({.Port = "7", .BaudRate = 9600, .DataFormat = "7N2", .Trend = true});
  EXPECT_EQ(Fields(), (PortFields{"7", "9600", "7N2"}));
  EXPECT_EQ(form->Label3->Caption(), "Databits = 7");
  EXPECT_EQ(form->Label4->Caption(), "Stopbits = 2");
  EXPECT_TRUE(form->TrendCheckBox->Checked());
  EXPECT_TRUE(form->SessionState.TrendMode);
  EXPECT_FALSE(form->RecordCheckBox->Checked());
  EXPECT_FALSE(form->StopButton->Enabled()) << "no --start, no acquisition";
  EXPECT_TRUE(Messages().empty());

  // What is not given stays as the window has it.
  form->ApplyCommandLine({.BaudRate = 19200});
  EXPECT_EQ(Fields(), (PortFields{"7", "19200", "7N2"}));
  EXPECT_TRUE(form->TrendCheckBox->Checked());
}

// A device path, also through a link of its own, finds the COM number
// whose link leads there; Start then acquires on it, into the file asked for.
TEST_F(CommandLineWindowTest, ADevicePathChoosesItsComNumberAndStartRecordsIntoTheGivenFile) {
  const std::string link = folder.Path("instrument");
  std::filesystem::create_symlink(pty.SlavePath(), link);
  const std::string recording = folder.Path("messung.csv");
  form->ComComboBox->SetText("2");
  form->ApplyCommandLine({.Port = link, .Record = true, .RecordFile = recording, .Start = true});
  EXPECT_EQ(form->ComComboBox->Text(), "5");
  ASSERT_TRUE(form->SerialComm1->Active());
  EXPECT_TRUE(form->StopButton->Enabled());
  pty.WriteMaster("1.5\r\n2.5\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 2; }));
  form->StopButton->Click();
  EXPECT_TRUE(Messages().empty());
  const StrictCsv csv = ReadStrictCsv(FileText(recording), ',');
  ASSERT_EQ(csv.Error, "");
  EXPECT_EQ(csv.Rows.size(), 3u) << "a header and the two samples";
}

TEST_F(CommandLineWindowTest, NothingChangesWhileAcquiringAndTheWindowSaysWhy) {
  form->StartButton->Click();
  ASSERT_TRUE(form->StopButton->Enabled());
  const PortFields before = Fields();
  form->ApplyCommandLine({});
  EXPECT_TRUE(Messages().empty()) << "nothing asked, nothing refused";

  const struct {
    TCommandLine commandLine;
    std::string told;
  } cases[] = {
      {{.BaudRate = 9600, .DataFormat = "7E1", .Trend = true, .Start = true},
       "Kurvex erfasst gerade. Die Einstellungen von der Kommandozeile wurden nicht übernommen.\n\n"
       "Zuerst die Erfassung mit Stop beenden, dann Kurvex noch einmal damit aufrufen."},
      {{.SetupFile = "/srv/waage.kxs", .Port = "7"},
       "Kurvex erfasst gerade. Der Messaufbau \"/srv/waage.kxs\" wurde nicht geöffnet, und die Einstellungen von "
       "der Kommandozeile wurden nicht übernommen.\n\nZuerst die Erfassung mit Stop beenden, dann Kurvex noch einmal "
       "damit aufrufen."},
  };
  for (const auto& c : cases) {
    dialogs.Boxes().Calls.clear();
    form->ApplyCommandLine(c.commandLine);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.told});
    EXPECT_EQ(Fields(), before);
    EXPECT_FALSE(form->TrendCheckBox->Checked());
    EXPECT_TRUE(form->SerialComm1->Active());
  }
  form->StopButton->Click();
}

// Starting elsewhere than asked would acquire from the wrong instrument; the
// options that could be followed are.
TEST_F(CommandLineWindowTest, WhatCannotBeFollowedLeavesTheWindowIdle) {
  const struct {
    TCommandLine commandLine;
    PortFields fields;
    std::vector<std::string> told;
  } cases[] = {
      {{.Port = "/dev/kurvex-no-such-device", .BaudRate = 9600, .Start = true},
       {"5", "9600", "8N1"},
       {"Keine COM-Nummer führt zum Gerät \"/dev/kurvex-no-such-device\": Es fehlt, oder kein Link im Port-Ordner "
        "zeigt darauf.\n\nDas Feld COM bleibt bei 5; die Erfassung wurde nicht gestartet."}},
      // The options refine the setup; without it they are not applied either.
      {{.SetupFile = "/nonexistent/waage.kxs", .Port = "7", .BaudRate = 9600, .Start = true},
       {"5", "115200", "8N1"}, {}},
  };
  for (const auto& c : cases) {
    form->BaudComboBox->SetText("115200");
    dialogs.Boxes().Calls.clear();
    form->ApplyCommandLine(c.commandLine);
    EXPECT_EQ(Fields(), c.fields);
    if (!c.told.empty()) {
      EXPECT_EQ(Messages(), c.told);
    }
    EXPECT_FALSE(form->StopButton->Enabled());
    ExpectIdleControls(*form);
  }
}

}  // namespace
}  // namespace kurvex::test
