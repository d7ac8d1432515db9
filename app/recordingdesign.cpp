// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

namespace kurvex {

namespace {

constexpr int kStatusIntervalMs = 250;

}  // namespace

void TForm1::AddExportMenuItems() {
  GrafikSpeichernPNG = AddMenuItem(*Datei1, "Grafik speichern als &PNG…", "GrafikSpeichernPNG",
                                   &TForm1::GrafikSpeichernPNGClick);
  ErfassungCsvExportieren = AddMenuItem(*Datei1, "Erfassung als &CSV exportieren…", "ErfassungCsvExportieren",
                                        &TForm1::ErfassungCsvExportierenClick);
  AufzeichnungsdateiWaehlen = AddMenuItem(*Datei1, "&Aufzeichnungsdatei wählen…", "AufzeichnungsdateiWaehlen",
                                          &TForm1::AufzeichnungsdateiWaehlenClick);
}

void TForm1::CreateRecordingControls() {
  RecordCheckBox = std::make_unique<TCheckBox>(Panel1.get());
  RecordCheckBox->SetName("RecordCheckBox");
  RecordCheckBox->SetBounds(8, 40, 150, 22);
  RecordCheckBox->SetCaption("Aufzeichnen");
  RecordCheckBox->SetAccessibleName("Aufzeichnen");
  RecordCheckBox->OnClick = [this](TObject* s) { RecordCheckBoxClick(s); };

  RecordingTimer = std::make_unique<TTimer>();
  RecordingTimer->SetInterval(kStatusIntervalMs);
  RecordingTimer->OnTimer = [this](TObject* s) { RecordingTimerTimer(s); };

  // The status bar comes later: panel 3 is looked up when written.
  m_recording = std::make_unique<TRecordingFeature>(
      *RecordCheckBox, *RecordingTimer,
      [this](const TRecordingStatus& status) {
        Status(TStatusField::Recording).SetText(status.Head, status.FileName, status.Tail);
      },
      [this] { return SerialComm1->Active(); });
}

void TForm1::AufzeichnungsdateiWaehlenClick(TObject*) { m_recording->ChooseFile(); }

void TForm1::RecordCheckBoxClick(TObject*) { m_recording->RecordToggled(); }

void TForm1::RecordingTimerTimer(TObject*) { m_recording->TimerTick(); }

}  // namespace kurvex
