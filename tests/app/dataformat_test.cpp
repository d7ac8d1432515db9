// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "app/dataformat.h"
#include "app/notices/paritybitwatch.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakeserialdevice.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// `lines` repeated to 256 bytes as a 7-bit instrument with parity puts them
// on a line read with 8 data bits: the parity bit in bit 7 (`parity` false: none).
std::string FirstBytes(const std::string& lines, bool parity, bool odd = false) {
  std::string bytes;
  while (bytes.size() < TParityBitWatch::kBytes) {
    for (const char c : lines) {
      const bool oddBits = (std::popcount(static_cast<unsigned>(c & 0x7F)) & 1) != 0;
      bytes += static_cast<char>(parity && oddBits != odd ? c | 0x80 : c);
    }
  }
  return bytes.substr(0, TParityBitWatch::kBytes);
}

std::string Suggestion(const std::string& bytes) {
  TParityBitWatch watch;
  watch.Take(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return watch.Suggestion();
}

TEST(ParityBitWatch, TellsSevenBitsWithParityFromText) {
  EXPECT_EQ(Suggestion(FirstBytes("12.5\r\n", true)), "7E1");
  EXPECT_EQ(Suggestion(FirstBytes("12.5\r\n", true, true)), "7O1");
  EXPECT_EQ(Suggestion(FirstBytes("0.000\r\n", true)), "7E1");  // bit 7 only in the CRs
  EXPECT_EQ(Suggestion(FirstBytes("12.5\r\n", true).substr(1)), "");  // not all bytes there yet
  EXPECT_EQ(Suggestion(FirstBytes("5 \xC2\xB0" "C\r\n", false)), "");   // UTF-8 units
}

class DataFormatWindow : public MainWindowTest {
 protected:
  FakeSerialDevice* StartWithFakeDevice() {
    FakeSerialDevice* fake = nullptr;
    form->SerialComm1->HandOverDevice(OpenFakeDevice(pty.SlavePath(), fake));
    form->StartButton->Click();
    EXPECT_TRUE(form->SerialComm1->Active());
    return fake;
  }
};

TEST_F(DataFormatWindow, TheChosenFormatGoesOnTheLineAtStartAndShows) {
  TForm1& f = *form;
  EXPECT_EQ(f.FormatComboBox->AccessibleName(), "Datenformat");
  EXPECT_EQ(f.FormatComboBox->Items(), DataFormatItems());
  for (const std::string& item : DataFormatItems()) EXPECT_EQ(DataFormatName(DataFormatOf(item)), item);
  EXPECT_EQ(f.FormatComboBox->Text(), "8N1");
  EXPECT_EQ(f.FormatComboBox->Style(), csDropDownList);
  f.FormatComboBox->SetText("7N2");
  EXPECT_EQ(f.Label3->Caption() + " " + f.Label4->Caption(), "Databits = 7 Stopbits = 2");

  const std::string idlePort = Panel(1);
  f.BaudComboBox->SetText("9600");
  f.FormatComboBox->SetText("7O1");
  FakeSerialDevice* fake = StartWithFakeDevice();
  EXPECT_FALSE(f.FormatComboBox->Widget()->isEnabled());
  EXPECT_EQ(fake->LastSettings().BaudRate, 9600u);
  EXPECT_EQ(fake->LastSettings().DataBits, 7);
  EXPECT_EQ(fake->LastSettings().Parity, SerialParity::Odd);
  EXPECT_EQ(Panel(1), idlePort + " · 9600 7O1");
  f.StopButton->Click();
  EXPECT_EQ(Panel(1), idlePort);
  EXPECT_EQ(f.FormatComboBox->Text(), "7O1");
}

TEST_F(DataFormatWindow, ALineWithATransmissionErrorIsNoSample) {
  form->FormatComboBox->SetText("8E1");
  StartWithFakeDevice()->MarkAsReceivedWithError('7');
  pty.WriteMaster("1\r\n17\r\n2\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 2; }));
  EXPECT_EQ(form->Chart1->Item(1).Y, 2);
  EXPECT_EQ(Panel(2), "Übertragungsfehler: 1");
  form->StopButton->Click();
  form->StartButton->Click();  // a new acquisition counts anew
  EXPECT_EQ(Panel(2), "");
}

TEST_F(DataFormatWindow, AParityBitReadAsDataSuggestsTheFormatPerAcquisition) {
  const std::string hint = "Viele Bytes mit Bit 7 – Datenformat 7E1?";
  form->StartButton->Click();
  pty.WriteMaster(FirstBytes("12.5\r\n", true));
  EXPECT_TRUE(WaitUntil([&] { return Panel(2).ends_with(hint); })) << Panel(2);
  form->StopButton->Click();
  form->StartButton->Click();
  EXPECT_EQ(Panel(2).find(hint), std::string::npos);
}

}  // namespace
}  // namespace kurvex::test
