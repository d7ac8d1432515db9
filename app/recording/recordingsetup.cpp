// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/csvdialog.h"
#include "app/recording/recordingfeature.h"

namespace kurvex {

void TRecordingFeature::CollectInto(TSetup& setup) const {
  setup.Record = m_recordCheckBox.Checked();
  if (m_nextFile) {
    setup.RecordingFile = m_nextFile->FileName;
    setup.RecordingDialect = CsvDialectOfFilter(m_nextFile->FilterIndex);
    return;
  }
  if (m_folder) setup.RecordingFolder = *m_folder;
  setup.RecordingDialect = m_freshDialect;
}

void TRecordingFeature::ApplyFrom(const TSetup& setup, std::vector<std::string>&) {
  if (setup.RecordingFolder) m_folder = *setup.RecordingFolder;
  const TCsvDialect dialect = setup.RecordingDialect.value_or(cdComma);
  if (setup.RecordingFile) {
    SetNextFile({*setup.RecordingFile, CsvFilterOfDialect(dialect)});
  } else if (setup.RecordingDialect) {
    m_freshDialect = dialect;
  }
  // Unticking drops a chosen file, as the box does.
  if (setup.Record) m_recordCheckBox.SetChecked(*setup.Record);
}

}  // namespace kurvex
