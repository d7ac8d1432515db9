// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <vector>

#include "app/dataformat.h"
#include "app/designcontrols.h"
#include "app/glyphs.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "app/windowfeatures.h"
#include "platform/system/eventguard.h"
#include "platform/system/localeformat.h"
#include "platform/system/translate.h"
#include "platform/windows/messageboxes.h"
#include "platform/windows/programidentity.h"

namespace kurvex {

namespace {

std::vector<std::string> PortItems() {
  std::vector<std::string> items;
  for (int i = 0; i <= 20; ++i) items.push_back(std::to_string(i));
  return items;
}

const std::vector<std::string> kBaudItems = {"110",   "300",   "600",    "1200",   "2400",
                                             "4800",  "9600",  "14400",  "19200",  "38400",
                                             "56000", "57600", "115200", "128000", "256000"};

// How often panel 3 tells the rows a recording has written.
constexpr int kRecordingStatusIntervalMs = 250;

TMenuItem* AddMenuItem(TForm1& f, TMenuItem& menu, const std::string& caption, const char* name,
                               void (TForm1::*click)(TObject*), const char* shortCut = nullptr) {
  TMenuItem& item = menu.Add(caption);
  item.SetName(name);
  if (shortCut != nullptr) item.SetShortCut(shortCut);
  item.OnClick = [&f, click](TObject* s) { (f.*click)(s); };
  return &item;
}

void CreateMenu(TForm1& f) {
  f.MainMenu1 = std::make_unique<TMainMenu>(f);
  f.Datei1 = &f.MainMenu1->Add(Tr("MainWindow", "&Datei"));
  f.Datei1->SetName("Datei1");
  f.GrafikSpeichernBMP = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "&Grafik speichern als Bitmap (.bmp)"),
                                     "GrafikSpeichernBMP", &TForm1::GrafikSpeichernBMPClick);
  f.ErfassungSpeichern = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "Erfassung &speichern"),
                                     "ErfassungSpeichern", &TForm1::ErfassungSpeichernClick, "Ctrl+S");
  f.Erfassungladen = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "Erfassung &laden"),
                                 "Erfassungladen", &TForm1::ErfassungladenClick, "Ctrl+O");
  f.AufzeichnungOeffnen = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "Aufzeichnung &öffnen…"),
                                      "AufzeichnungOeffnen", &TForm1::AufzeichnungOeffnenClick);
  f.GrafikSpeichernPNG = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "Grafik speichern als &PNG…"),
                                     "GrafikSpeichernPNG", &TForm1::GrafikSpeichernPNGClick);
  f.ErfassungCsvExportieren = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "Erfassung als &CSV exportieren…"),
                                          "ErfassungCsvExportieren", &TForm1::ErfassungCsvExportierenClick);
  f.AufzeichnungsdateiWaehlen = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "&Aufzeichnungsdatei wählen…"),
                                            "AufzeichnungsdateiWaehlen", &TForm1::AufzeichnungsdateiWaehlenClick);
  f.MessaufbauOeffnen = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "&Messaufbau öffnen…"),
                                    "MessaufbauOeffnen", &TForm1::MessaufbauOeffnenClick);
  f.MessaufbauSpeichern = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "Messaufbau spe&ichern…"),
                                      "MessaufbauSpeichern", &TForm1::MessaufbauSpeichernClick, "Ctrl+Shift+S");
  f.ZuletztVerwendeteMessaufbauten = &f.Datei1->Add(Tr("MainWindow", "&Zuletzt verwendete Messaufbauten"));
  f.ZuletztVerwendeteMessaufbauten->SetName("ZuletztVerwendeteMessaufbauten");
  f.Einstellungen1 = AddMenuItem(f, *f.Datei1, Tr("MainWindow", "&Beenden"),
                                 "Einstellungen1", &TForm1::Einstellungen1Click, "Ctrl+Q");
  f.Geraet1 = &f.MainMenu1->Add(Tr("MainWindow", "&Gerät"));
  f.Geraet1->SetName("Geraet1");
  f.MonitorOeffnen = AddMenuItem(f, *f.Geraet1, Tr("MainWindow", "&Monitor…"),
                                 "MonitorOeffnen", &TForm1::MonitorOeffnenClick);
  f.KanaeleOeffnen = AddMenuItem(f, *f.Geraet1, Tr("MainWindow", "&Kanäle…"),
                                 "KanaeleOeffnen", &TForm1::KanaeleOeffnenClick);
  f.Info1 = &f.MainMenu1->Add(Tr("MainWindow", "&Info"));
  f.Info1->SetName("Info1");
  f.Info1->OnClick = [&f](TObject* s) { f.Info1Click(s); };
}

void CreateTopBar(TForm1& f) {
  f.Panel2 = std::make_unique<TPanel>(&f);
  f.Panel2->SetName("Panel2");
  f.Panel2->SetAlign(alTop);
  f.Panel2->SetHeight(41);
  f.Panel2->SetBevelInner(bvRaised);
  f.Panel2->SetBevelOuter(bvLowered);

  f.StartButton = MakeControl<TSpeedButton>(f.Panel2.get(), "StartButton", 4, 2, 115, 36);
  f.StartButton->SetCaption(Tr("MainWindow", " Start"));
  f.StartButton->SetGlyph(kStartGlyph, clGreen);
  f.StartButton->AddShortCut("F5");
  f.StartButton->OnClick = [&f](TObject* s) { f.StartButtonClick(s); };

  f.StopButton = MakeControl<TSpeedButton>(f.Panel2.get(), "StopButton", 121, 2, 115, 36);
  f.StopButton->SetCaption(Tr("MainWindow", " Stop"));
  f.StopButton->SetGlyph(kStopGlyph, clMaroon);
  f.StopButton->AddShortCut("Shift+F5");
  f.StopButton->AddShortCut("Esc");
  f.StopButton->SetEnabled(false);
  f.StopButton->OnClick = [&f](TObject* s) { f.StopButtonClick(s); };

  f.ClearGraphButton = MakeControl<TSpeedButton>(f.Panel2.get(), "ClearGraphButton", 238, 2, 115, 36);
  f.ClearGraphButton->SetCaption(Tr("MainWindow", " Clear Graph"));
  f.ClearGraphButton->SetGlyph(kClearGlyph, clNavy);
  f.ClearGraphButton->OnClick = [&f](TObject* s) { f.ClearGraphButtonClick(s); };

  f.ResetAxisButton = MakeControl<TSpeedButton>(f.Panel2.get(), "ResetAxisButton", 355, 2, 115, 36);
  f.ResetAxisButton->SetCaption(Tr("MainWindow", "Reset Axis"));
  f.ResetAxisButton->SetGlyph(kResetGlyph, clNavy);
  f.ResetAxisButton->OnClick = [&f](TObject* s) { f.ResetAxisButtonClick(s); };

  f.CircularProgress = MakeControl<TCircularProgress>(f.Panel2.get(), "CircularProgress", 480, 4, 32, 32);
  f.CircularProgress->SetAccessibleName(Tr("MainWindow", "Erfassung läuft"));
  f.CircularProgress->SetInterval(50);
  TProgressAppearance& look = f.CircularProgress->Appearance();
  look.SetActiveSegmentColor(16752543);
  look.SetInActiveSegmentColor(clSilver);
  look.SetTransitionSegmentColor(10485760);
  look.SetProgressSegmentColor(4194432);
  look.SetBackGroundColor(clNone);
  look.SetBorderColor(clNone);
  f.CircularProgress->SetEnabled(false);

  f.Label11 = MakeLabel(f.Panel2.get(), "Label11", Tr("MainWindow", "Normal: max. 2000 Samples/s , max 50.000 Samples"),
                        528, 4);
  f.Label15 =
      MakeLabel(f.Panel2.get(), "Label15", Tr("MainWindow", "Trend: max. 200 Samples/s  beliebig lange"), 528, 21);
}

void CreatePortSettings(TForm1& f) {
  f.GroupBox1 = MakeControl<TGroupBox>(&f, "GroupBox1", 8, 48, 216, 150);
  f.GroupBox1->SetCaption(Tr("MainWindow", "  Schnittstelle  "));

  f.Label2 = MakeLabel(f.GroupBox1.get(), "Label2", Tr("MainWindow", "Com Port"), 12, 28);
  f.ComComboBox = MakeControl<TComboBox>(f.GroupBox1.get(), "ComComboBox", 100, 24, 100, 24);
  f.ComComboBox->SetItems(PortItems());
  f.ComComboBox->SetText("5");
  f.ComComboBox->SetDropDownCount(16);
  f.Label2->SetFocusControl(f.ComComboBox.get());

  f.Label1 = MakeLabel(f.GroupBox1.get(), "Label1", Tr("MainWindow", " Baudrate"), 12, 60);
  f.BaudComboBox = MakeControl<TComboBox>(f.GroupBox1.get(), "BaudComboBox", 100, 56, 100, 24);
  f.BaudComboBox->SetItems(kBaudItems);
  f.BaudComboBox->SetText("115200");
  f.Label1->SetFocusControl(f.BaudComboBox.get());
  // Beside the data bits and stop bits it sets, whose captions follow it.
  f.FormatComboBox = MakeControl<TComboBox>(f.GroupBox1.get(), "FormatComboBox", 100, 86, 100, 24);
  f.FormatComboBox->SetStyle(csDropDownList);
  f.FormatComboBox->SetItems(DataFormatItems());
  f.FormatComboBox->SetText(DataFormatItems().front());
  // The data bits caption takes the room beside it, so its own caption is
  // one only screen readers read: a hidden label still names its buddy.
  f.FormatLabel = MakeLabel(f.GroupBox1.get(), "FormatLabel", Tr("MainWindow", "Datenformat"), 100, 86);
  f.FormatLabel->SetVisible(false);
  f.FormatLabel->SetFocusControl(f.FormatComboBox.get());

  f.Label3 = MakeLabel(f.GroupBox1.get(), "Label3", Fill(Tr("MainWindow", "Databits = %1"), {"8"}), 12, 90);
  f.Label4 = MakeLabel(f.GroupBox1.get(), "Label4", Fill(Tr("MainWindow", "Stopbits = %1"), {"1"}), 12, 108);
  f.Label5 = MakeLabel(f.GroupBox1.get(), "Label5", Tr("MainWindow", "Flowcontrol = none"), 12, 126);
  f.FormatComboBox->OnChange = [&f](TObject* s) { f.FormatComboBoxChange(s); };
}

void CreateGraphParameters(TForm1& f) {
  f.GroupBox2 = MakeControl<TGroupBox>(&f, "GroupBox2", 8, 206, 216, 300);
  f.GroupBox2->SetCaption(Tr("MainWindow", "  Graph Parameter "));
  f.Label6 = MakeLabel(f.GroupBox2.get(), "Label6", Tr("MainWindow", "Roh-Daten Skalierungsfaktor"), 12, 22);
  f.Label7 = MakeLabel(f.GroupBox2.get(), "Label7", Tr("MainWindow", "Daten Offset (nach Skalierung)"), 12, 72);
  f.Label8 = MakeLabel(f.GroupBox2.get(), "Label8", Tr("MainWindow", "Graph X max"), 12, 122);
  f.Label9 = MakeLabel(f.GroupBox2.get(), "Label9", Tr("MainWindow", "Graph Y max"), 12, 172);
  f.Label12 = MakeLabel(f.GroupBox2.get(), "Label12", Tr("MainWindow", "Graph Y min"), 12, 222);
  f.Label14 = MakeLabel(f.GroupBox2.get(), "Label14",
                      DecimalSeparator() == ',' ? Tr("MainWindow", "Dezimaltrennung = Komma")
                                                 : Tr("MainWindow", "Dezimaltrennung = Punkt"),
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
      {f.DatSkalEdit, "DatSkalEdit", f.Label6.get(), etFloat, 12, false, 1},
      {f.DatOffsetEdit, "DatOffsetEdit", f.Label7.get(), etFloat, 12, true, 0},
      {f.GraphXmaxEdit, "GraphXmaxEdit", f.Label8.get(), etNumeric, 5, false, 1000},
      {f.GraphYmaxEdit, "GraphYmaxEdit", f.Label9.get(), etFloat, 12, false, 10},
      {f.GraphYminEdit, "GraphYminEdit", f.Label12.get(), etFloat, 12, true, 0},
  };
  int top = 206 + 40;
  for (const FieldDesign& d : designs) {
    d.field = MakeControl<TNumEdit>(&f, d.name, 20, top, 190, 24);
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

void CreateViewControls(TForm1& f) {
  f.Panel1 = MakeControl<TPanel>(&f, "Panel1", 232, 48, 657, 64);
  f.Panel1->SetAnchors(akLeft | akTop | akRight);
  f.Label13 = MakeControl<TLabel>(f.Panel1.get(), "Label13", 8, 6, 164, 32);
  f.Label13->SetAutoSize(false);
  f.Label13->SetWordWrap(true);
  f.Label13->SetCaption(Tr("MainWindow", "Aktueller Sample-Wert\nnach Skalierung und Offset"));
  // Wide enough for the longest value text, "-8,88888888888888E-308".
  f.Label10 = MakeControl<TLabel>(f.Panel1.get(), "Label10", 176, 16, 240, 28);
  f.Label10->SetAutoSize(false);
  f.Label10->SetTransparent(false);
  f.Label10->SetFontHeight(-18);
  f.Label10->SetCaption("");
  f.Label13->SetFocusControl(f.Label10.get());

  // Under Label13, so first in Panel1's tab order after it.
  f.RecordCheckBox = MakeControl<TCheckBox>(f.Panel1.get(), "RecordCheckBox", 8, 40, 150, 22);
  f.RecordCheckBox->SetCaption(Tr("MainWindow", "Aufzeichnen"));
  f.RecordCheckBox->SetAccessibleName(Tr("MainWindow", "Aufzeichnen"));
  f.RecordCheckBox->OnClick = [&f](TObject* s) { f.RecordCheckBoxClick(s); };
  f.RecordingTimer = std::make_unique<TTimer>();
  f.RecordingTimer->SetInterval(kRecordingStatusIntervalMs);
  f.RecordingTimer->OnTimer = [&f](TObject* s) { f.RecordingTimerTimer(s); };
  f.NormalRadioButton = MakeControl<TRadioButton>(f.Panel1.get(), "NormalRadioButton", 420, 8, 70, 22);
  f.NormalRadioButton->SetCaption(Tr("MainWindow", "Normal"));
  f.NormalRadioButton->SetChecked(true);
  f.ZoomRadioButton = MakeControl<TRadioButton>(f.Panel1.get(), "ZoomRadioButton", 420, 34, 70, 22);
  f.ZoomRadioButton->SetCaption(Tr("MainWindow", "Zoom"));
  f.ShowGridCheckBox = MakeControl<TCheckBox>(f.Panel1.get(), "ShowGridCheckBox", 492, 8, 94, 22);
  f.ShowGridCheckBox->SetCaption(Tr("MainWindow", " Show Grid"));
  f.ShowGridCheckBox->SetChecked(true);
  f.DoubleTicsCheckBox = MakeControl<TCheckBox>(f.Panel1.get(), "DoubleTicsCheckBox", 492, 34, 94, 22);
  f.DoubleTicsCheckBox->SetCaption(Tr("MainWindow", "DoubleTics"));
  f.LogCheckBox = MakeControl<TCheckBox>(f.Panel1.get(), "LogCheckBox", 588, 8, 64, 22);
  f.LogCheckBox->SetCaption(Tr("MainWindow", "Y  Log"));
  f.TrendCheckBox = MakeControl<TCheckBox>(f.Panel1.get(), "TrendCheckBox", 588, 34, 64, 22);
  f.TrendCheckBox->SetCaption(Tr("MainWindow", "Trend"));

  // Handlers are connected after the design states, which run none.
  f.NormalRadioButton->OnClick = [&f](TObject* s) { f.NormalRadioButtonClick(s); };
  f.ZoomRadioButton->OnClick = [&f](TObject* s) { f.ZoomRadioButtonClick(s); };
  f.ShowGridCheckBox->OnClick = [&f](TObject* s) { f.ShowGridCheckBoxClick(s); };
  f.DoubleTicsCheckBox->OnClick = [&f](TObject* s) { f.DoubleTicsCheckBoxClick(s); };
  f.LogCheckBox->OnClick = [&f](TObject* s) { f.LogCheckBoxClick(s); };
  f.TrendCheckBox->OnClick = [&f](TObject* s) { f.TrendCheckBoxClick(s); };
}

void CreateChart(TForm1& f) {
  f.Chart1 = MakeControl<TChartControl>(&f, "Chart1", 232, 119, 657, 371);
  f.Chart1->SetAccessibleName(Tr("MainWindow", "Grafik"));
  f.Chart1->SetAnchors(akLeft | akTop | akRight | akBottom);
  f.Chart1->SetCursor(crHandPoint);
  f.Chart1->BeginLoad();
  f.Chart1->SetAllocSize(800000);
  f.Chart1->SetAutoRedraw(true);
  f.Chart1->SetLRim(70);
  f.Chart1->SetRRim(20);
  f.Chart1->SetTRim(20);
  f.Chart1->SetBRim(40);
  f.Chart1->SetClassDefault(0);
  f.Chart1->SetGridStyle(gsLines);
  f.Chart1->SetGridColor(clSilver);
  f.Chart1->SetMouseAction(maPan);
  f.Chart1->SetMouseCursorFixed(true);
  f.Chart1->SetShadowStyle(ssFlying);
  f.Chart1->SetShadowColor(clGrayText);
  f.Chart1->SetShadowBakColor(clBtnFace);
  f.Chart1->SetTextBkStyle(tbClear);
  f.Chart1->SetTextBkColor(clWhite);
  f.Chart1->SetTextAlignment(taCenter);
  f.Chart1->SetCaptionPosX(0);
  f.Chart1->SetCaptionPosY(-16);
  f.Chart1->SetCaptionAlignment(taRightJustify);
  f.Chart1->SetCaptionAnchorHoriz(cahChartRight);
  f.Chart1->SetCaptionAnchorVert(cavChartTop);
  TScalePropsHoriz& x = f.Chart1->Scale1X();
  x.SetScaleLocation(slBottom);
  x.SetRangeLow(0);
  x.SetRangeHigh(100);
  x.SetDecPlaces(0);
  x.SetMinTicks(3);
  x.SetLabelType(ftNum);
  // X counts samples.
  x.SetWholeNumberTicks(true);
  x.SetMinRange(1e-10);
  TScalePropsVert& y = f.Chart1->Scale1Y();
  y.SetScaleLocation(slLeft);
  y.SetRangeLow(1);
  y.SetRangeHigh(200);
  y.SetDecPlaces(-2);
  y.SetMinTicks(3);
  y.SetLabelType(ftNum);
  y.SetMinRange(1e-10);
  for (int layer = 2; layer <= 4; ++layer) {
    f.Chart1->ScaleX(layer).SetVisible(false);
    f.Chart1->ScaleY(layer).SetVisible(false);
  }
  f.Chart1->Loaded();
}

void CreateSerialPort(TForm1& f) {
  f.SerialComm1 = std::make_unique<TSerialComm>();
  f.SerialComm1->SetBaudRate(115200);
  f.SerialComm1->SetParity(pNone);
  f.SerialComm1->SetStopBits(sbOne);
  f.SerialComm1->SetByteSize(8);
  f.SerialComm1->SetComPortNo(5);
  f.SerialComm1->SetEventChar(0);
  f.SerialComm1->SetStreamProtocol(spNone);
  f.SerialComm1->SetBufferInSize(16384);
  f.SerialComm1->SetBufferOutSize(8192);
  f.SerialComm1->SetTimeoutRead(0);
  f.SerialComm1->SetTimeoutWrite(0);
  f.SerialComm1->SetRS485Mode(false);
  f.SerialComm1->SetUseMainThread(true);
  f.SerialComm1->OnAfterReceive = [&f](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t n) {
    f.SerialComm1AfterReceive(com, buffer, n);
  };
  f.SerialComm1->OnCommError = [&f](TBaseIO& com, std::uint32_t code, std::uint32_t sysError,
                                    TComStateFlags state, bool& flash) {
    f.SerialComm1CommError(com, code, sysError, state, flash);
  };
  f.SerialComm1->OnFatalError = [&f](TBaseIO& sender, std::uint32_t code, std::uint32_t detail,
                                     const std::string& msg, bool& raise) {
    f.SerialComm1FatalError(sender, code, detail, msg, raise);
  };
  f.SerialComm1->OnReceiveError = [&f](TBaseIO& com) { f.SerialComm1ReceiveError(com); };
}

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

  CreateMenu(*this);
  CreateTopBar(*this);
  CreatePortSettings(*this);
  CreateGraphParameters(*this);
  CreateViewControls(*this);
  CreateChart(*this);
  CreateChartFeatures();
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
  Status(TStatusField::SampleCount).SetAccessibleDescription(Tr("MainWindow", "Sample-Anzahl"));
  CreateSerialPort(*this);
  CreatePortFeatures();
  FormInfo = std::make_unique<TFormInfo>();
  OneInstance1 = std::make_unique<TOneInstance>(*this);
  OneInstance1->SetMode(oiActivateOnly);
  OneInstance1->OnActivated = [](TObject*) {
    // Visible in a terminal (and to the start-up tests): why the window came forward.
    std::fputs("kurvex: a second start brought this window to the front\n", stderr);
  };
  OneInstance1->Loaded();
}

void TForm1::CreateChartFeatures() {
  m_features = std::make_unique<TWindowFeatures>(SessionState);
  // The status bar comes later: the panels are looked up when written.
  m_features->Recording = std::make_unique<TRecordingFeature>(
      *RecordCheckBox, *RecordingTimer,
      [this](const TRecordingStatus& status) {
        Status(TStatusField::Recording).SetText(status.Head, status.FileName, status.Tail);
      },
      [this] { return SerialComm1->Active(); });
  m_features->Recording->AttachTo(m_features->Intake);
  m_features->Plotter = std::make_unique<TChartPlotter>(*Chart1, SessionState, m_features->Curves);
  m_features->CurrentValue = std::make_unique<TCurrentValueDisplay>(*Label10);
  m_features->Intake.Attach(*m_features->CurrentValue);
  m_features->Intake.Attach(*m_features->Plotter);
  m_features->ChartRoom = std::make_unique<TChartRoom>(*Chart1);
  m_features->Legend = std::make_unique<TCurveLegend>(*this, *Chart1, *m_features->ChartRoom, m_features->Curves);
  m_features->Intake.Attach(*m_features->Legend);
  m_features->Legend->OnEditCurve = [this](std::size_t curve) { EditCurve(curve); };
  m_features->Content = std::make_unique<TChartContent>(*Chart1, *m_features->Plotter, m_features->Curves);
  m_features->Content->AttachTo(m_features->Intake);
  m_features->Axes = std::make_unique<TCurveAxes>(*Chart1, m_features->Curves, *m_features->Content);
  m_features->Intake.Attach(*m_features->Axes);
  m_features->XAxis = std::make_unique<TXAxisFeature>(*Geraet1, *m_features->Legend,
                                                      [this] { return m_features->Legend->CurvesInUse(); });
  m_features->Content->SetRecordingOrigin([this](std::int64_t firstNs) { return m_features->XAxis->TimeOrigin(firstNs); });
  m_features->XYAxis = std::make_unique<TXYAxis>(*Chart1, *m_features->Content, *m_features->Legend);
  m_features->Intake.Attach(*m_features->XYAxis);
  m_features->CloserLook = std::make_unique<TCloserLook>(*this, *Chart1, *m_features->Content, *m_features->ChartRoom,
                                                         *m_features->Legend);
  m_features->Intake.Attach(*m_features->CloserLook);
  m_features->ContentChanges = m_features->Content->SubscribeChanged([this](TContentChange change) { ContentChanged(change); });
  m_features->Files = std::make_unique<TFileCommands>(*Chart1, *m_features->Content, SessionState, [this] { return SerialComm1->Active(); });
  m_features->NumberFields = std::make_unique<TNumberFields>(std::array{DatSkalEdit.get(), DatOffsetEdit.get(), GraphXmaxEdit.get(),
                                                              GraphYmaxEdit.get(), GraphYminEdit.get()});
}

void TForm1::CreatePortFeatures() {
  m_features->PortStatus = std::make_unique<TPortStatus>(*SerialComm1, *ComComboBox, Status(TStatusField::Port));
  ComComboBox->OnChange = [this](TObject* s) { ComComboBoxChange(s); };
  m_features->Notices = std::make_unique<TInputNoticePanel>(SessionState, *SerialComm1, Status(TStatusField::InputNotices));
  SerialComm1->OnInputOverload = [this](TBaseIO&, bool) { m_features->Notices->Show(); };
  m_features->Instrument = std::make_unique<TInstrumentFeature>(*SerialComm1, m_features->QueryTimer,
                                                                m_features->SendWatchTimer, m_features->MonitorLog);
  m_features->Intake.Attach(m_features->MonitorLog);
  m_features->QueryTimer.OnTimer = [this](TObject*) {
    if (m_features->Instrument->TimerTick()) m_features->Notices->SetMissingAnswers(m_features->Instrument->MissingAnswers());
  };
  m_features->SendWatchTimer.OnTimer = [this](TObject*) {
    if (m_features->Instrument->SendWatchTick()) SendingChanged();
  };
  m_features->WindowSettings = std::make_unique<TWindowSettings>(TSetupControls{
      *SerialComm1, *ComComboBox, *BaudComboBox, *FormatComboBox, *TrendCheckBox, *DatSkalEdit, *DatOffsetEdit,
      *GraphXmaxEdit, *GraphYmaxEdit, *GraphYminEdit, *ShowGridCheckBox, *DoubleTicsCheckBox, *LogCheckBox,
      *ResetAxisButton});
  m_features->Setups = std::make_unique<TSetupFeature>(
      *this, *ZuletztVerwendeteMessaufbauten,
      std::vector<TSetupPart*>{m_features->WindowSettings.get(), m_features->Recording.get(), m_features->Legend.get(),
                               m_features->Axes.get(), m_features->XAxis.get(), m_features->Instrument.get()},
      [this] { return SerialComm1->Active(); });
}

TForm1::~TForm1() {
  // The port must be closed before the handlers' window goes away.
  SerialComm1->OnFatalError = nullptr;
  SerialComm1->OnAfterReceive = nullptr;
  SerialComm1->OnCommError = nullptr;
  SerialComm1->SetActive(false);
}

TPortStatus& TForm1::PortStatus() { return *m_features->PortStatus; }
TMonitorWindow* TForm1::Monitor() { return m_features->Monitor.get(); }
TCurveDialog* TForm1::CurveDialog() { return m_features->CurveDialog.get(); }
const TInstrumentFeature& TForm1::Instrument() const { return *m_features->Instrument; }
TCloserLook& TForm1::CloserLook() { return *m_features->CloserLook; }
TXAxisFeature& TForm1::XAxis() { return *m_features->XAxis; }
TChartContent& TForm1::Content() { return *m_features->Content; }
const TSampleIntake& TForm1::Intake() const { return m_features->Intake; }

}  // namespace kurvex
