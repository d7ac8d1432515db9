// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "app/windowfeatures.h"

namespace kurvex {

void TForm1::GrafikSpeichernBMPClick(TObject*) { m_features->Files->SaveBitmap(); }

void TForm1::ErfassungSpeichernClick(TObject*) { m_features->Files->SaveAcquisition(); }

void TForm1::ErfassungladenClick(TObject*) { m_features->Files->LoadAcquisition(); }

void TForm1::AufzeichnungOeffnenClick(TObject*) { m_features->Files->OpenRecording(); }

void TForm1::GrafikSpeichernPNGClick(TObject*) { m_features->Files->SavePng(); }

void TForm1::ErfassungCsvExportierenClick(TObject*) { m_features->Files->ExportCsv(); }

void TForm1::AufzeichnungsdateiWaehlenClick(TObject*) { m_features->Recording->ChooseFile(); }

void TForm1::RecordCheckBoxClick(TObject*) { m_features->Recording->RecordToggled(); }

void TForm1::RecordingTimerTimer(TObject*) { m_features->Recording->TimerTick(); }

void TForm1::MessaufbauOeffnenClick(TObject*) { m_features->Setups->OpenChosen(); }

void TForm1::MessaufbauSpeichernClick(TObject*) { m_features->Setups->SaveChosen(); }

bool TForm1::OpenSetupFile(const std::string& path) { return m_features->Setups->Open(path); }

}  // namespace kurvex
