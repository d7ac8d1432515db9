// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/dataformat.h"
#include "app/mainwindow.h"
#include "app/windowfeatures.h"
#include "platform/system/translate.h"

namespace kurvex {

void TForm1::ComComboBoxChange(TObject*) { m_features->PortStatus->Show(); }

void TForm1::FormatComboBoxChange(TObject*) {
  const TDataFormat format = DataFormatOf(FormatComboBox->Text());
  Label3->SetCaption(Fill(Tr("MainWindow", "Databits = %1"), {std::to_string(format.ByteSize)}));
  Label4->SetCaption(Fill(Tr("MainWindow", "Stopbits = %1"), {format.StopBits == sbTwo ? "2" : "1"}));
}

}  // namespace kurvex
