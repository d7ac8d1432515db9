// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractButton>
#include <QLabel>

#include "app/commandline.h"
#include "app/curves/curvedialog.h"
#include "app/curves/curvetexts.h"
#include "app/numbertext.h"
#include "app/recording/recordingtexts.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakedevicetree.h"
#include "tests/support/strictcsv.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What a user sees of the window's settings, control by control.
std::string Controls(TForm1& f) {
  std::string text;
  for (TComboBox* box : {f.ComComboBox.get(), f.BaudComboBox.get(), f.FormatComboBox.get()}) text += box->Text() + "|";
  for (TNumEdit* field : {f.DatSkalEdit.get(), f.DatOffsetEdit.get(), f.GraphXmaxEdit.get(), f.GraphYmaxEdit.get(),
                          f.GraphYminEdit.get()})
    text += field->Text() + "|";
  for (TCheckBox* box : {f.TrendCheckBox.get(), f.ShowGridCheckBox.get(), f.DoubleTicsCheckBox.get(),
                         f.LogCheckBox.get(), f.RecordCheckBox.get()})
    text += box->Checked() ? "x|" : "-|";
  return text + f.Label3->Caption() + "|" + f.Label4->Caption();
}

class SetupsTest : public MainWindowTest {
 protected:
  /// "Messaufbau speichern…" into `name` in the temporary folder.
  fs::path Save(const std::string& name) {
    const fs::path path = folder.Path(name);
    dialogs.Files().Answers.push_back(path.string());
    form->MessaufbauSpeichern->Click();
    return path;
  }
  /// A fresh window, as the next run of the program opens.
  void NewWindow() {
    form.reset();
    form = std::make_unique<TForm1>();
    form->Show();
  }
  QWidget* Child(const char* name) { return form->Widget()->findChild<QWidget*>(name); }
  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = folder.Path(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  TempFolder folder;
};

TEST_F(SetupsTest, ASavedSetupOpensIntoTheSameWindowAndSavesTheSameBytes) {
  TForm1& f = *form;
  const std::string design = Controls(f);
  f.ComComboBox->SetText("7");
  f.BaudComboBox->SetText("9600");
  f.FormatComboBox->SetText("7E1");
  f.DatSkalEdit->SetText("2,5");
  f.DatOffsetEdit->SetText("-0,125");
  f.GraphYmaxEdit->SetText("250");
  f.LogCheckBox->SetChecked(true);  // sets Y min to 0,1 and DoubleTics
  f.ShowGridCheckBox->SetChecked(false);
  f.RecordCheckBox->SetChecked(true);
  const std::string saved = Controls(f);
  const fs::path first = Save("Waage Labor 2.kxs");
  EXPECT_EQ(f.Caption(), "Waage Labor 2 – Kurvex");
  EXPECT_TRUE(fs::exists(config.StateDir() / "kurvex" / "recent-setups"));

  NewWindow();
  EXPECT_EQ(Controls(*form), design) << "a window opened without a setup shows the design";
  ASSERT_TRUE(form->OpenSetupFile(first.string()));
  EXPECT_EQ(Controls(*form), saved);
  EXPECT_EQ(form->Caption(), "Waage Labor 2 – Kurvex");
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(ReadText(Save("again.kxs")), ReadText(first));
  // The recent setups, newest first, as the next run finds them.
  NewWindow();
  TMenuItem& recent = *form->ZuletztVerwendeteMessaufbauten;
  EXPECT_TRUE(recent.Enabled());
  EXPECT_NE(recent.Items(0).Caption().find("again.kxs"), std::string::npos);
  EXPECT_NE(recent.Items(1).Caption().find("Waage Labor 2.kxs"), std::string::npos);
  EXPECT_FALSE(recent.Items(2).Visible());
  recent.Items(1).Click();
  EXPECT_EQ(Controls(*form), saved);
}

TEST_F(SetupsTest, NothingIsKeptBeforeASetupIsUsed) {
  EXPECT_FALSE(form->ZuletztVerwendeteMessaufbauten->Enabled());
  form->StartButton->Click();
  form->StopButton->Click();
  NewWindow();
  EXPECT_FALSE(fs::exists(config.StateDir() / "kurvex"));
}

TEST_F(SetupsTest, AFileThatIsNoSetupChangesNothingAndSaysWhyAndWhere) {
  const std::string valid = ReadText(Save("valid.kxs"));
  NewWindow();
  form->BaudComboBox->SetText("4800");
  const std::string before = Controls(*form);
  const std::string cut = valid.substr(0, valid.size() / 2);
  struct Case {
    std::string name, text, says;
  } cases[] = {
      {"text.kxs", "Baudrate = 9600\n", "ist kein Kurvex-Messaufbau"},
      {"cut.kxs", cut, "ist unvollständig"},
      {"newer.kxs", "{\n  \"Kurvex-Setup\": 99\n}\n", "stammt von einer neueren Kurvex-Version"},
  };
  for (const Case& c : cases) {
    dialogs.Boxes().Calls.clear();
    const fs::path path = Write(c.name, c.text);
    EXPECT_FALSE(form->OpenSetupFile(path.string())) << c.name;
    ASSERT_EQ(Messages().size(), 1u) << c.name;
    EXPECT_NE(Messages()[0].find("\"" + path.string() + "\" " + c.says), std::string::npos) << Messages()[0];
    EXPECT_NE(Messages()[0].find("Zeile "), std::string::npos) << Messages()[0];
    EXPECT_EQ(Controls(*form), before) << c.name;
    EXPECT_EQ(form->Caption(), "  K u r v e x");
  }
}

TEST_F(SetupsTest, BadValuesAreNamedAndSkippedTheRestApplies) {
  std::string text = ReadText(Save("good.kxs"));
  const auto replace = [&](const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  };
  replace("115200", "12345678");
  replace("\"8N1\"", "\"9Q3\"");
  NewWindow();
  form->FormatComboBox->SetText("7O1");
  const fs::path path = Write("bad.kxs", text);
  ASSERT_TRUE(form->OpenSetupFile(path.string()));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("12345678"), std::string::npos) << Messages()[0];
  EXPECT_NE(Messages()[0].find("9Q3"), std::string::npos) << Messages()[0];
  EXPECT_EQ(form->BaudComboBox->Text(), "115200") << "skipped: as it was";
  EXPECT_EQ(form->FormatComboBox->Text(), "7O1");
  EXPECT_EQ(form->Caption(), "bad – Kurvex") << "the rest applies";
}

TEST_F(SetupsTest, OpeningWaitsForStopAndAPortThatIsNotThereShowsAsTyped) {
  const fs::path path = Save("com9.kxs");
  std::string text = ReadText(path);
  text.replace(text.find("\"com\": 5"), 8, "\"com\": 9");
  Write("com9.kxs", text);
  form->StartButton->Click();
  EXPECT_FALSE(form->OpenSetupFile(path.string()));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("während eine Erfassung läuft"), std::string::npos);
  EXPECT_EQ(form->ComComboBox->Text(), "5");
  form->StopButton->Click();
  ASSERT_TRUE(form->OpenSetupFile(path.string()));
  EXPECT_EQ(form->ComComboBox->Text(), "9");
  EXPECT_EQ(Panel(1), "COM9: kein Gerät");
}

TEST_F(SetupsTest, CommandLineOptionsOverTheSetupAndStartAfterIt) {
  form->ComComboBox->SetText("7");
  form->BaudComboBox->SetText("9600");
  form->TrendCheckBox->SetChecked(true);
  const fs::path path = Save("labor.kxs");
  NewWindow();
  form->ApplyCommandLine({.SetupFile = path.string(), .Port = "5", .BaudRate = 19200, .Start = true});
  EXPECT_EQ(form->BaudComboBox->Text(), "19200");
  EXPECT_TRUE(form->TrendCheckBox->Checked()) << "from the setup";
  EXPECT_TRUE(form->SerialComm1->Active());
  EXPECT_EQ(form->SerialComm1->ComPortNo(), 5);
  EXPECT_EQ(form->Caption(), "labor – Kurvex");
}

// Curves keep their names, colours and whether they are shown; a curve the
// instrument does not name takes the setup's name.
TEST_F(SetupsTest, CurvesKeepTheirNamesAndWhetherTheyAreShown) {
  form->StartButton->Click();
  Receive("Temp:1;Druck:2\r\n");
  form->StopButton->Click();
  static_cast<QAbstractButton*>(Child("CurveShown2"))->click();
  const fs::path path = Save("kurven.kxs");
  const std::string text = ReadText(path);
  EXPECT_NE(text.find("\"Druck\""), std::string::npos);
  EXPECT_NE(text.find("\"shown\": false"), std::string::npos);

  NewWindow();
  ASSERT_TRUE(form->OpenSetupFile(path.string()));
  form->StartButton->Click();
  Receive("1;2\r\n");
  const auto* name = static_cast<QLabel*>(Child("CurveName2"));
  EXPECT_TRUE(WaitUntil([&] { return name->text() == "Druck"; })) << name->text().toStdString();
  EXPECT_FALSE(form->Chart1->CurveVisible(1));
  EXPECT_TRUE(form->Chart1->CurveVisible(0));
  EXPECT_EQ(ReadText(Save("again.kxs")), text);
}

TEST_F(SetupsTest, ACurvesOwnFactorAndOffsetScaleItFromStartAndSaveAsWritten) {
  const fs::path path =
      Write("skaliert.kxs", R"({"Kurvex-Setup": 1, "curves": [{"factor": 0.1, "offset": -1013.25}, {"factor": 0}]})");
  ASSERT_TRUE(form->OpenSetupFile(path.string()));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages().front().find("curves[2].factor"), std::string::npos) << Messages().front();
  form->DatSkalEdit->SetText("2");
  form->StartButton->Click();
  Receive("10130\r\n");
  EXPECT_EQ(form->SessionState.ScaledValue, static_cast<float>(10130.0L * 0.1f - 1013.25f)) << "not the field's factor";
  form->StopButton->Click();
  EXPECT_NE(ReadText(Save("again.kxs")).find("\"factor\": 0.1,\n            \"offset\": -1013.25"), std::string::npos)
      << ReadText(folder.Path("again.kxs"));
}

// The curve dialog's axis and the right axis's range go into a setup and
// come back from it; a range whose ends are the wrong way round is named.
TEST_F(SetupsTest, CurvesKeepTheirAxisAndTheRightAxisItsRange) {
  form->EditCurve(1);
  TCurveDialog& dialog = *form->CurveDialog();
  dialog.AxisComboBox->SetText("rechts");
  dialog.RightAutoCheckBox->SetChecked(false);
  dialog.RightMinEdit->SetText("990");
  dialog.RightMaxEdit->SetText("1030,5");
  dialog.ApplyButton->Click();
  const fs::path path = Save("achsen.kxs");
  const std::string text = ReadText(path);
  EXPECT_NE(text.find("\"axis\": \"right\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"rightYMax\": 1030.5,\n        \"rightYMin\": 990"), std::string::npos) << text;

  NewWindow();
  ASSERT_TRUE(form->OpenSetupFile(path.string()));
  form->StartButton->Click();
  Receive("1;1000\r\n");
  EXPECT_EQ(form->Chart1->ScaleY(2).RangeLow(), 990);
  EXPECT_EQ(form->Chart1->ScaleY(2).RangeHigh(), 1030.5);
  form->StopButton->Click();
  EXPECT_EQ(ReadText(Save("again.kxs")), text);

  ASSERT_TRUE(form->OpenSetupFile(Write("falsch.kxs", R"({"Kurvex-Setup": 1, "graph": {"rightYMin": 5, "rightYMax": 5}})").string()));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages().front().find(RightRangeRefusal()), std::string::npos) << Messages().front();
  EXPECT_EQ(ReadText(Save("again.kxs")), text);
}

// An adapter is found by its stable name whatever number it has today.
TEST_F(SetupsTest, TheAdapterIsFoundByItsStableNameUnderAnotherNumber) {
  FakeDeviceTree fake;
  fake.AddUsbSerial("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.Link("/dev/serial/by-id/usb-FTDI_A1", "../../ttyUSB0");
  fake.LinkCom("COM3", "/dev/serial/by-id/usb-FTDI_A1");
  form->PortStatus().SetDeviceTree(fake.Tree());
  form->ComComboBox->SetText("3");
  const fs::path path = Save("adapter.kxs");
  EXPECT_NE(ReadText(path).find("/dev/serial/by-id/usb-FTDI_A1"), std::string::npos);

  fs::remove(fake.Ports() / "COM3");
  fake.LinkCom("COM4", "/dev/serial/by-id/usb-FTDI_A1");
  form->ComComboBox->SetText("5");
  ASSERT_TRUE(form->OpenSetupFile(path.string()));
  EXPECT_EQ(LeadingInteger(form->ComComboBox->Text()), 4);
}

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
