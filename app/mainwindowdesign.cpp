// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <vector>

#include "app/dataformat.h"
#include "app/glyphs.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "platform/system/eventguard.h"
#include "platform/system/localeformat.h"
#include "platform/windows/messageboxes.h"
#include "platform/windows/programidentity.h"

namespace kurvex {

namespace {

template <class Control>
std::unique_ptr<Control> Make(TWinControl* parent, const char* name, int left, int top, int width,
                              int height) {
  auto control = std::make_unique<Control>(parent);
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}

std::unique_ptr<TLabel> MakeLabel(TWinControl* parent, const char* name, const char* caption,
                                  int left, int top) {
  auto label = std::make_unique<TLabel>(parent);
  label->SetName(name);
  label->SetCaption(caption);
  label->SetBounds(left, top, label->Width(), label->Height());
  return label;
}

std::vector<std::string> PortItems() {
  std::vector<std::string> items;
  for (int i = 0; i <= 20; ++i) items.push_back(std::to_string(i));
  return items;
}

const std::vector<std::string> kBaudItems = {"110",   "300",   "600",    "1200",   "2400",
                                             "4800",  "9600",  "14400",  "19200",  "38400",
                                             "56000", "57600", "115200", "128000", "256000"};

}  // namespace

TForm1::TForm1() {
  // Before any window exists, so every window carries the icon and the name.
  SetProgramIdentity(KURVEX_APP_ID, KURVEX_ICON_FOLDER);
  SetName("Form1");
  SetCaption("  K u r v e x");
  // A screen reader would spell the spaced caption letter by letter.
  SetAccessibleName("Kurvex");
  SetFontName("DejaVu Sans");
  SetFontHeight(-12);
  SetSizeConstraints(900, 575, 2056, 2000);
  SetBounds(393, 166, 900, 575);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };

  // What escapes a user action is shown in a message box, and the action ends there.
  SetErrorReporter([](const EKurvexError& error) {
    TheMessageBoxes().Show(error.what(), "Kurvex", MessageIcon::Error, MessageButtons::Ok);
  });

  CreateMenu();
  CreateTopBar();
  CreatePortSettings();
  CreateGraphParameters();
  CreateViewControls();
  CreateChart();
  ConnectSampleConsumers();
  StatusBar = std::make_unique<TStatusBar>(this);
  StatusBar->SetName("StatusBar");
  StatusBar->SetAlign(alBottom);
  // Each panel shows its whole text where the window allows; the port's
  // (where it leads, or why it did not open) is the longest and takes the
  // room the others leave. In the order of TStatusField.
  StatusBar->Panels().Add(100, pwText);
  StatusBar->Panels().Add(200, pwFill);
  StatusBar->Panels().Add(100, pwText);
  StatusBar->Panels().Add(100, pwText);
  Status(TStatusField::SampleCount).SetAccessibleDescription("Sample-Anzahl");
  CreateSerialPort();
  m_portStatus = std::make_unique<TPortStatus>(*SerialComm1, *ComComboBox, Status(TStatusField::Port));
  ComComboBox->OnChange = [this](TObject* s) { ComComboBoxChange(s); };
  FormInfo = std::make_unique<TFormInfo>();
  OneInstance1 = std::make_unique<TOneInstance>(*this);
  OneInstance1->SetMode(oiActivateOnly);
  OneInstance1->OnActivated = [](TObject*) {
    // Visible in a terminal (and to the start-up tests): why the window came forward.
    std::fputs("kurvex: a second start brought this window to the front\n", stderr);
  };
  OneInstance1->Loaded();
}

TForm1::~TForm1() {
  // The port must be closed before the handlers' window goes away.
  SerialComm1->OnFatalError = nullptr;
  SerialComm1->OnAfterReceive = nullptr;
  SerialComm1->OnCommError = nullptr;
  SerialComm1->SetActive(false);
}

TMenuItem* TForm1::AddMenuItem(TMenuItem& menu, const char* caption, const char* name,
                               void (TForm1::*click)(TObject*), const char* shortCut) {
  TMenuItem& item = menu.Add(caption);
  item.SetName(name);
  if (shortCut != nullptr) item.SetShortCut(shortCut);
  item.OnClick = [this, click](TObject* s) { (this->*click)(s); };
  return &item;
}

void TForm1::CreateMenu() {
  MainMenu1 = std::make_unique<TMainMenu>(*this);
  Datei1 = &MainMenu1->Add("&Datei");
  Datei1->SetName("Datei1");
  GrafikSpeichernBMP = AddMenuItem(*Datei1, "&Grafik speichern als Bitmap (.bmp)", "GrafikSpeichernBMP",
                                   &TForm1::GrafikSpeichernBMPClick);
  ErfassungSpeichern = AddMenuItem(*Datei1, "Erfassung &speichern", "ErfassungSpeichern",
                                   &TForm1::ErfassungSpeichernClick, "Ctrl+S");
  Erfassungladen = AddMenuItem(*Datei1, "Erfassung &laden", "Erfassungladen", &TForm1::ErfassungladenClick,
                               "Ctrl+O");
  AufzeichnungOeffnen = AddMenuItem(*Datei1, "Aufzeichnung &öffnen…", "AufzeichnungOeffnen",
                                    &TForm1::AufzeichnungOeffnenClick);
  AddExportMenuItems();
  Einstellungen1 = AddMenuItem(*Datei1, "&Beenden", "Einstellungen1", &TForm1::Einstellungen1Click, "Ctrl+Q");
  Info1 = &MainMenu1->Add("&Info");
  Info1->SetName("Info1");
  Info1->OnClick = [this](TObject* s) { Info1Click(s); };
}

void TForm1::CreateTopBar() {
  Panel2 = std::make_unique<TPanel>(this);
  Panel2->SetName("Panel2");
  Panel2->SetAlign(alTop);
  Panel2->SetHeight(41);
  Panel2->SetBevelInner(bvRaised);
  Panel2->SetBevelOuter(bvLowered);

  StartButton = Make<TSpeedButton>(Panel2.get(), "StartButton", 4, 2, 115, 36);
  StartButton->SetCaption(" Start");
  StartButton->SetGlyph(kStartGlyph, clGreen);
  StartButton->AddShortCut("F5");
  StartButton->OnClick = [this](TObject* s) { StartButtonClick(s); };

  StopButton = Make<TSpeedButton>(Panel2.get(), "StopButton", 121, 2, 115, 36);
  StopButton->SetCaption(" Stop");
  StopButton->SetGlyph(kStopGlyph, clMaroon);
  StopButton->AddShortCut("Shift+F5");
  StopButton->AddShortCut("Esc");
  StopButton->SetEnabled(false);
  StopButton->OnClick = [this](TObject* s) { StopButtonClick(s); };

  ClearGraphButton = Make<TSpeedButton>(Panel2.get(), "ClearGraphButton", 238, 2, 115, 36);
  ClearGraphButton->SetCaption(" Clear Graph");
  ClearGraphButton->SetGlyph(kClearGlyph, clNavy);
  ClearGraphButton->OnClick = [this](TObject* s) { ClearGraphButtonClick(s); };

  ResetAxisButton = Make<TSpeedButton>(Panel2.get(), "ResetAxisButton", 355, 2, 115, 36);
  ResetAxisButton->SetCaption("Reset Axis");
  ResetAxisButton->SetGlyph(kResetGlyph, clNavy);
  ResetAxisButton->OnClick = [this](TObject* s) { ResetAxisButtonClick(s); };

  CircularProgress = Make<TCircularProgress>(Panel2.get(), "CircularProgress", 480, 4, 32, 32);
  CircularProgress->SetAccessibleName("Erfassung läuft");
  CircularProgress->SetInterval(50);
  TProgressAppearance& look = CircularProgress->Appearance();
  look.SetActiveSegmentColor(16752543);
  look.SetInActiveSegmentColor(clSilver);
  look.SetTransitionSegmentColor(10485760);
  look.SetProgressSegmentColor(4194432);
  look.SetBackGroundColor(clNone);
  look.SetBorderColor(clNone);
  CircularProgress->SetEnabled(false);

  Label11 = MakeLabel(Panel2.get(), "Label11", "Normal: max. 2000 Samples/s , max 50.000 Samples", 528, 4);
  Label15 = MakeLabel(Panel2.get(), "Label15", "Trend: max. 200 Samples/s  beliebig lange", 528, 21);
}

void TForm1::CreatePortSettings() {
  GroupBox1 = Make<TGroupBox>(this, "GroupBox1", 8, 48, 216, 150);
  GroupBox1->SetCaption("  Schnittstelle  ");

  Label2 = MakeLabel(GroupBox1.get(), "Label2", "Com Port", 12, 28);
  ComComboBox = Make<TComboBox>(GroupBox1.get(), "ComComboBox", 100, 24, 100, 24);
  ComComboBox->SetItems(PortItems());
  ComComboBox->SetText("5");
  ComComboBox->SetDropDownCount(16);
  Label2->SetFocusControl(ComComboBox.get());

  Label1 = MakeLabel(GroupBox1.get(), "Label1", " Baudrate", 12, 60);
  BaudComboBox = Make<TComboBox>(GroupBox1.get(), "BaudComboBox", 100, 56, 100, 24);
  BaudComboBox->SetItems(kBaudItems);
  BaudComboBox->SetText("115200");
  Label1->SetFocusControl(BaudComboBox.get());
  // Beside the data bits and stop bits it sets, whose captions follow it.
  FormatComboBox = Make<TComboBox>(GroupBox1.get(), "FormatComboBox", 100, 86, 100, 24);
  FormatComboBox->SetStyle(csDropDownList);
  FormatComboBox->SetItems(DataFormatItems());
  FormatComboBox->SetText(DataFormatItems().front());
  // The data bits caption takes the room beside it, so its own caption is
  // one only screen readers read: a hidden label still names its buddy.
  FormatLabel = MakeLabel(GroupBox1.get(), "FormatLabel", "Datenformat", 100, 86);
  FormatLabel->SetVisible(false);
  FormatLabel->SetFocusControl(FormatComboBox.get());

  Label3 = MakeLabel(GroupBox1.get(), "Label3", "Databits = 8", 12, 90);
  Label4 = MakeLabel(GroupBox1.get(), "Label4", "Stopbits = 1", 12, 108);
  Label5 = MakeLabel(GroupBox1.get(), "Label5", "Flowcontrol = none", 12, 126);
  FormatComboBox->OnChange = [this](TObject* s) { FormatComboBoxChange(s); };
}

void TForm1::CreateGraphParameters() {
  GroupBox2 = Make<TGroupBox>(this, "GroupBox2", 8, 206, 216, 300);
  GroupBox2->SetCaption("  Graph Parameter ");
  Label6 = MakeLabel(GroupBox2.get(), "Label6", "Roh-Daten Skalierungsfaktor", 12, 22);
  Label7 = MakeLabel(GroupBox2.get(), "Label7", "Daten Offset (nach Skalierung)", 12, 72);
  Label8 = MakeLabel(GroupBox2.get(), "Label8", "Graph X max", 12, 122);
  Label9 = MakeLabel(GroupBox2.get(), "Label9", "Graph Y max", 12, 172);
  Label12 = MakeLabel(GroupBox2.get(), "Label12", "Graph Y min", 12, 222);
  Label14 = MakeLabel(GroupBox2.get(), "Label14",
                      DecimalSeparator() == ',' ? "Dezimaltrennung = Komma" : "Dezimaltrennung = Punkt",
                      12, 274);

  // The fields lie over the group box but belong to the window, so that
  // disabling the group box leaves them usable.
  struct FieldDesign {
    std::unique_ptr<TNumEdit>& field;
    const char* name;
    TLabel* label;
    TEditType type;
    int lengthLimit;
    bool isSigned;
    double value;
  };
  const FieldDesign designs[] = {
      {DatSkalEdit, "DatSkalEdit", Label6.get(), etFloat, 12, false, 1},
      {DatOffsetEdit, "DatOffsetEdit", Label7.get(), etFloat, 12, true, 0},
      {GraphXmaxEdit, "GraphXmaxEdit", Label8.get(), etNumeric, 5, false, 1000},
      {GraphYmaxEdit, "GraphYmaxEdit", Label9.get(), etFloat, 12, false, 10},
      {GraphYminEdit, "GraphYminEdit", Label12.get(), etFloat, 12, true, 0},
  };
  int top = 206 + 40;
  for (const FieldDesign& d : designs) {
    d.field = Make<TNumEdit>(this, d.name, 20, top, 190, 24);
    d.field->SetEditType(d.type);
    d.field->SetLengthLimit(d.lengthLimit);
    if (d.type == etFloat) d.field->SetPrecision(9);
    d.field->SetSigned(d.isSigned);
    d.field->SetShowError(true);
    d.field->SetText(LocaleNumberText(d.value));
    d.field->SetAccessibleName(d.label->Caption());
    d.label->SetFocusControl(d.field.get());
    top += 50;
  }
}

void TForm1::CreateViewControls() {
  Panel1 = Make<TPanel>(this, "Panel1", 232, 48, 657, 64);
  Panel1->SetAnchors(akLeft | akTop | akRight);
  Label13 = Make<TLabel>(Panel1.get(), "Label13", 8, 6, 164, 32);
  Label13->SetAutoSize(false);
  Label13->SetWordWrap(true);
  Label13->SetCaption("Aktueller Sample-Wert\nnach Skalierung und Offset");
  // Wide enough for the longest value text, "-8,88888888888888E-308".
  Label10 = Make<TLabel>(Panel1.get(), "Label10", 176, 16, 240, 28);
  Label10->SetAutoSize(false);
  Label10->SetFontHeight(-18);
  Label10->SetCaption("");
  Label13->SetFocusControl(Label10.get());

  CreateRecordingControls();
  NormalRadioButton = Make<TRadioButton>(Panel1.get(), "NormalRadioButton", 420, 8, 70, 22);
  NormalRadioButton->SetCaption("Normal");
  NormalRadioButton->SetChecked(true);
  ZoomRadioButton = Make<TRadioButton>(Panel1.get(), "ZoomRadioButton", 420, 34, 70, 22);
  ZoomRadioButton->SetCaption("Zoom");
  ShowGridCheckBox = Make<TCheckBox>(Panel1.get(), "ShowGridCheckBox", 492, 8, 94, 22);
  ShowGridCheckBox->SetCaption(" Show Grid");
  ShowGridCheckBox->SetChecked(true);
  DoubleTicsCheckBox = Make<TCheckBox>(Panel1.get(), "DoubleTicsCheckBox", 492, 34, 94, 22);
  DoubleTicsCheckBox->SetCaption("DoubleTics");
  LogCheckBox = Make<TCheckBox>(Panel1.get(), "LogCheckBox", 588, 8, 64, 22);
  LogCheckBox->SetCaption("Y  Log");
  TrendCheckBox = Make<TCheckBox>(Panel1.get(), "TrendCheckBox", 588, 34, 64, 22);
  TrendCheckBox->SetCaption("Trend");

  // Handlers are connected after the design states, which run none.
  NormalRadioButton->OnClick = [this](TObject* s) { NormalRadioButtonClick(s); };
  ZoomRadioButton->OnClick = [this](TObject* s) { ZoomRadioButtonClick(s); };
  ShowGridCheckBox->OnClick = [this](TObject* s) { ShowGridCheckBoxClick(s); };
  DoubleTicsCheckBox->OnClick = [this](TObject* s) { DoubleTicsCheckBoxClick(s); };
  LogCheckBox->OnClick = [this](TObject* s) { LogCheckBoxClick(s); };
  TrendCheckBox->OnClick = [this](TObject* s) { TrendCheckBoxClick(s); };
}

void TForm1::CreateChart() {
  Chart1 = Make<TChartControl>(this, "Chart1", 232, 119, 657, 371);
  Chart1->SetAccessibleName("Grafik");
  Chart1->SetAnchors(akLeft | akTop | akRight | akBottom);
  Chart1->SetCursor(crHandPoint);
  Chart1->BeginLoad();
  Chart1->SetAllocSize(800000);
  Chart1->SetAutoRedraw(true);
  Chart1->SetLRim(70);
  Chart1->SetRRim(20);
  Chart1->SetTRim(20);
  Chart1->SetBRim(40);
  Chart1->SetClassDefault(0);
  Chart1->SetGridStyle(gsLines);
  Chart1->SetGridColor(clSilver);
  Chart1->SetMouseAction(maPan);
  Chart1->SetMouseCursorFixed(true);
  Chart1->SetShadowStyle(ssFlying);
  Chart1->SetShadowColor(clGrayText);
  Chart1->SetShadowBakColor(clBtnFace);
  Chart1->SetTextBkStyle(tbClear);
  Chart1->SetTextBkColor(clWhite);
  Chart1->SetTextAlignment(taCenter);
  Chart1->SetCaptionPosX(0);
  Chart1->SetCaptionPosY(-16);
  Chart1->SetCaptionAlignment(taRightJustify);
  Chart1->SetCaptionAnchorHoriz(cahChartRight);
  Chart1->SetCaptionAnchorVert(cavChartTop);
  TScalePropsHoriz& x = Chart1->Scale1X();
  x.SetScaleLocation(slBottom);
  x.SetRangeLow(0);
  x.SetRangeHigh(100);
  x.SetDecPlaces(0);
  x.SetMinTicks(3);
  x.SetLabelType(ftNum);
  // X counts samples.
  x.SetWholeNumberTicks(true);
  x.SetMinRange(1e-10);
  TScalePropsVert& y = Chart1->Scale1Y();
  y.SetScaleLocation(slLeft);
  y.SetRangeLow(1);
  y.SetRangeHigh(200);
  y.SetDecPlaces(-2);
  y.SetMinTicks(3);
  y.SetLabelType(ftNum);
  y.SetMinRange(1e-10);
  for (int layer = 2; layer <= 4; ++layer) {
    Chart1->ScaleX(layer).SetVisible(false);
    Chart1->ScaleY(layer).SetVisible(false);
  }
  Chart1->Loaded();
}

void TForm1::CreateSerialPort() {
  SerialComm1 = std::make_unique<TSerialComm>();
  SerialComm1->SetBaudRate(115200);
  SerialComm1->SetParity(pNone);
  SerialComm1->SetStopBits(sbOne);
  SerialComm1->SetByteSize(8);
  SerialComm1->SetComPortNo(5);
  SerialComm1->SetEventChar(0);
  SerialComm1->SetStreamProtocol(spNone);
  SerialComm1->SetBufferInSize(16384);
  SerialComm1->SetBufferOutSize(8192);
  SerialComm1->SetTimeoutRead(0);
  SerialComm1->SetTimeoutWrite(0);
  SerialComm1->SetRS485Mode(false);
  SerialComm1->SetUseMainThread(true);
  SerialComm1->OnAfterReceive = [this](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t n) {
    SerialComm1AfterReceive(com, buffer, n);
  };
  SerialComm1->OnCommError = [this](TBaseIO& com, std::uint32_t code, std::uint32_t sysError,
                                    TComStateFlags state, bool& flash) {
    SerialComm1CommError(com, code, sysError, state, flash);
  };
  SerialComm1->OnFatalError = [this](TBaseIO& sender, std::uint32_t code, std::uint32_t detail,
                                     const std::string& msg, bool& raise) {
    SerialComm1FatalError(sender, code, detail, msg, raise);
  };
  SerialComm1->OnReceiveError = [this](TBaseIO& com) { SerialComm1ReceiveError(com); };
  SerialComm1->OnInputOverload = [this](TBaseIO&, bool) { ShowInputNotices(); };
}

}  // namespace kurvex
