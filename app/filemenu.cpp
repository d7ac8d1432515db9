// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

namespace kurvex {

void TForm1::GrafikSpeichernBMPClick(TObject*) { m_files->SaveBitmap(); }

void TForm1::ErfassungSpeichernClick(TObject*) { m_files->SaveAcquisition(); }

void TForm1::ErfassungladenClick(TObject*) { m_files->LoadAcquisition(); }

void TForm1::AufzeichnungOeffnenClick(TObject*) { m_files->OpenRecording(); }

void TForm1::GrafikSpeichernPNGClick(TObject*) { m_files->SavePng(); }

void TForm1::ErfassungCsvExportierenClick(TObject*) { m_files->ExportCsv(); }

void TForm1::AufzeichnungsdateiWaehlenClick(TObject*) { m_recording->ChooseFile(); }

void TForm1::RecordCheckBoxClick(TObject*) { m_recording->RecordToggled(); }

void TForm1::RecordingTimerTimer(TObject*) { m_recording->TimerTick(); }

}  // namespace kurvex
