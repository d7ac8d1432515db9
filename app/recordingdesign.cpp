#include "app/mainwindow.h"

namespace kurvex {

namespace {

constexpr int kStatusIntervalMs = 250;

}  // namespace

void TForm1::AddExportMenuItems() {
  GrafikSpeichernPNG = &Datei1->Add("Grafik speichern als &PNG…");
  GrafikSpeichernPNG->SetName("GrafikSpeichernPNG");
  GrafikSpeichernPNG->OnClick = [this](TObject* s) { GrafikSpeichernPNGClick(s); };
  ErfassungCsvExportieren = &Datei1->Add("Erfassung als &CSV exportieren…");
  ErfassungCsvExportieren->SetName("ErfassungCsvExportieren");
  ErfassungCsvExportieren->OnClick = [this](TObject* s) { ErfassungCsvExportierenClick(s); };
  AufzeichnungsdateiWaehlen = &Datei1->Add("&Aufzeichnungsdatei wählen…");
  AufzeichnungsdateiWaehlen->SetName("AufzeichnungsdateiWaehlen");
  AufzeichnungsdateiWaehlen->OnClick = [this](TObject* s) { AufzeichnungsdateiWaehlenClick(s); };
}

void TForm1::CreateRecordingControls() {
  RecordCheckBox = std::make_unique<TCheckBox>(Panel1.get());
  RecordCheckBox->SetName("RecordCheckBox");
  RecordCheckBox->SetBounds(8, 40, 150, 22);
  RecordCheckBox->SetCaption("Aufzeichnen");
  RecordCheckBox->SetAccessibleName("Aufzeichnen");

  RecordingTimer = std::make_unique<TTimer>();
  RecordingTimer->SetInterval(kStatusIntervalMs);
  RecordingTimer->OnTimer = [this](TObject* s) { RecordingTimerTimer(s); };
}

}  // namespace kurvex
