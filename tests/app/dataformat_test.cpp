// SPDX-License-Identifier: GPL-3.0-or-later
#include <termios.h>

#include <bit>

#include "app/dataformat.h"
#include "app/paritybitwatch.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakeserialdevice.h"
#include "tests/support/loopuntil.h"

namespace kurvex::test {
namespace {

// `text` as an instrument sending 7 data bits with parity puts it on a line
// read with 8 data bits: the parity bit in bit 7.
std::string WithParityBit(const std::string& text, bool odd) {
  std::string line;
  for (const char c : text) {
    const bool oddBits = (std::popcount(static_cast<unsigned>(c & 0x7F)) & 1) != 0;
    line += static_cast<char>(oddBits != odd ? c | 0x80 : c);
  }
  return line;
}

std::string Repeated(const std::string& text, std::size_t atLeast) {
  std::string all;
  while (all.size() < atLeast) all += text;
  return all;
}

std::string Suggestion(const std::string& bytes) {
  TParityBitWatch watch;
  const bool told = watch.Take(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  EXPECT_EQ(told, !watch.Suggestion().empty());
  return watch.Suggestion();
}

TEST(ParityBitWatch, TellsSevenBitsWithParityFromText) {
  const std::size_t n = TParityBitWatch::kBytes;
  EXPECT_EQ(Suggestion(WithParityBit(Repeated("12.5\r\n", n), false)), "7E1");
  EXPECT_EQ(Suggestion(WithParityBit(Repeated("12.5\r\n", n), true)), "7O1");
  // Only the CR of each line has bit 7 here: still one byte in eight.
  EXPECT_EQ(Suggestion(WithParityBit(Repeated("0.000\r\n", n), false)), "7E1");
  EXPECT_EQ(Suggestion(WithParityBit(Repeated("12.5\r\n", n - 1), false).substr(0, n - 1)), "");
  EXPECT_EQ(Suggestion(Repeated("12.5\r\n", n)), "");
  EXPECT_EQ(Suggestion(Repeated("5 \xC2\xB0" "C\r\n", n)), "");  // UTF-8 units
  std::string stopBitsAsBit7 = Repeated("12.5\r\n", n);       // 7N2: bit 7 always set
  for (char& c : stopBitsAsBit7) c = static_cast<char>(c | 0x80);
  EXPECT_EQ(Suggestion(stopBitsAsBit7), "");
}

TEST(DataFormat, EveryItemNamesItsFormat) {
  ASSERT_EQ(DataFormatItems().front(), "8N1");
  for (const std::string& item : DataFormatItems()) EXPECT_EQ(DataFormatName(DataFormatOf(item)), item);
  const TDataFormat sevenOdd = DataFormatOf("7O1");
  EXPECT_EQ(sevenOdd.ByteSize, 7);
  EXPECT_EQ(sevenOdd.Parity, pOdd);
  EXPECT_EQ(sevenOdd.StopBits, sbOne);
  EXPECT_EQ(DataFormatName(DataFormatOf("")), "8N1");
  EXPECT_EQ(DataFormatName(DataFormatOf("9X3")), "8N1");
}

class DataFormatWindow : public MainWindowTest {
 protected:
  void Receive(const std::string& bytes) {
    form->SerialComm1AfterReceive(*form->SerialComm1, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size()));
  }
  FakeSerialDevice* StartWithFakeDevice() {
    FakeSerialDevice* fake = nullptr;
    form->SerialComm1->HandOverDevice(OpenFakeDevice(pty.SlavePath(), fake));
    form->StartButton->Click();
    EXPECT_TRUE(form->SerialComm1->Active());
    return fake;
  }
  std::string Panel(int i) { return form->StatusBar->Panels()[i].Text(); }
};

TEST_F(DataFormatWindow, TheFormatListSitsBesideTheBitsItSets) {
  TForm1& f = *form;
  EXPECT_EQ(f.FormatComboBox->Name(), "FormatComboBox");
  EXPECT_EQ(f.FormatComboBox->AccessibleName(), "Datenformat");
  EXPECT_EQ(f.FormatComboBox->Items(), DataFormatItems());
  EXPECT_EQ(f.FormatComboBox->Text(), "8N1");
  EXPECT_EQ(f.FormatComboBox->Style(), csDropDownList);
  EXPECT_EQ(f.FormatComboBox->Left(), 100);
  EXPECT_EQ(f.FormatComboBox->Top(), 86);
  f.FormatComboBox->SetText("7N2");
  EXPECT_EQ(f.Label3->Caption(), "Databits = 7");
  EXPECT_EQ(f.Label4->Caption(), "Stopbits = 2");
  f.FormatComboBox->SetText("banana");  // a list takes only its items
  EXPECT_EQ(f.FormatComboBox->Text(), "");
  f.FormatComboBox->SetText("8N1");
  EXPECT_EQ(f.Label3->Caption(), "Databits = 8");
  EXPECT_EQ(f.Label4->Caption(), "Stopbits = 1");
}

TEST_F(DataFormatWindow, StartPutsTheFormatOnTheLineAndInTheStatusBar) {
  const std::string idlePort = Panel(1);
  form->BaudComboBox->SetText("9600");
  form->FormatComboBox->SetText("7O1");
  FakeSerialDevice* fake = StartWithFakeDevice();
  EXPECT_FALSE(form->FormatComboBox->Widget()->isEnabled());
  EXPECT_EQ(fake->LastSettings().DataBits, 7);
  EXPECT_EQ(fake->LastSettings().Parity, SerialParity::Odd);
  termios tio{};
  ASSERT_EQ(tcgetattr(pty.Slave(), &tio), 0);
  EXPECT_EQ(tio.c_cflag & (PARODD | CSTOPB), static_cast<tcflag_t>(PARODD));
  EXPECT_EQ(tio.c_iflag & (INPCK | PARMRK | ISTRIP), static_cast<tcflag_t>(INPCK | PARMRK | ISTRIP));
  EXPECT_EQ(Panel(1), idlePort + " · 9600 7O1");
  form->StopButton->Click();
  EXPECT_EQ(Panel(1), idlePort);
  EXPECT_TRUE(form->FormatComboBox->Widget()->isEnabled());
  EXPECT_EQ(form->FormatComboBox->Text(), "7O1");
}

TEST_F(DataFormatWindow, ALineWithATransmissionErrorIsNoSample) {
  form->FormatComboBox->SetText("8E1");
  FakeSerialDevice* fake = StartWithFakeDevice();
  fake->MarkAsReceivedWithError('7');
  pty.WriteMaster("1\r\n17\r\n2\r\n");
  ASSERT_TRUE(LoopUntil([&] { return form->SessionState.SampleCount == 2; }));
  EXPECT_EQ(form->Chart1->Item(1).Y, 2);
  EXPECT_EQ(form->SessionState.InvalidLines, 0);
  EXPECT_EQ(Panel(2), "Übertragungsfehler: 1");
  EXPECT_TRUE(Messages().empty());
  form->StopButton->Click();
  form->StartButton->Click();  // a new acquisition counts anew
  EXPECT_EQ(Panel(2), "");
  form->StopButton->Click();
}

TEST_F(DataFormatWindow, ParityBitsReadAsDataSuggestTheFormatOncePerAcquisition) {
  form->StartButton->Click();
  const std::string lines = WithParityBit(Repeated("12.5\r\n", TParityBitWatch::kBytes), false);
  const std::string hint = "Viele Bytes mit Bit 7 – Datenformat 7E1?";
  Receive(lines.substr(0, 100));
  EXPECT_EQ(Panel(2).find(hint), std::string::npos);
  Receive(lines.substr(100));
  // Beside what the line reader makes of such lines.
  EXPECT_TRUE(Panel(2).ends_with(hint)) << Panel(2);
  form->StopButton->Click();
  form->StartButton->Click();
  Receive(Repeated("12.5\r\n", TParityBitWatch::kBytes));
  EXPECT_EQ(Panel(2).find(hint), std::string::npos);
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
