// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>
#include <memory>

#include "app/mainwindow.h"
#include "app/windowfeatures.h"
#include "platform/system/localeformat.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/pty.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {

/// The real main window, built with a chosen decimal separator, with
/// recorded message boxes and COM5 linked to a pseudo-terminal.
class MainWindowTest : public QtAppTest {
 protected:
  explicit MainWindowTest(LocaleSeparators separators = {',', '.'}) {
    OverrideLocaleSeparators(separators);
    LinkComPort(5, pty.SlavePath());
    form = std::make_unique<TForm1>();
    form->Show();
  }
  ~MainWindowTest() override {
    form.reset();
    ResetLocaleSeparators();
  }

  /// Bytes as the port delivers them, straight into the receive handler.
  void Receive(const std::string& bytes) {
    form->SerialComm1AfterReceive(*form->SerialComm1, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size()));
  }
  std::string Panel(int i) const { return form->StatusBar->Panels()[i].Text(); }
  TAxisWindow RangeX() const { return {form->Chart1->Scale1X().RangeLow(), form->Chart1->Scale1X().RangeHigh()}; }
  TAxisWindow RangeY() const { return {form->Chart1->Scale1Y().RangeLow(), form->Chart1->Scale1Y().RangeHigh()}; }
  /// The chart's items as a saved acquisition holds them.
  std::string Items() const {
    const TChartControl& c = *form->Chart1;
    return std::string(reinterpret_cast<const char*>(c.Store().Items()), c.ItemCount() * sizeof(TChartItem));
  }
  /// Typed into the field as it stands, without the field's own conversion.
  static void SetFieldText(TNumEdit& field, const char* text) {
    static_cast<QLineEdit*>(field.Widget())->setText(text);
  }

  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const MessageBoxCall& call : dialogs.Boxes().Calls) texts.push_back(call.Text);
    return texts;
  }

  TempConfigHome config;
  PtyPair pty;
  ScopedRecordingDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

/// The controls as an idle window has them in any view mode: Start and the
/// settings usable, Stop and the busy indicator not, the port closed.
inline void ExpectIdleControls(TForm1& f) {
  EXPECT_FALSE(f.SerialComm1->Active());
  EXPECT_FALSE(f.StopButton->Enabled());
  EXPECT_FALSE(f.CircularProgress->Enabled());
  for (TWinControl* on : std::initializer_list<TWinControl*>{f.StartButton.get(), f.ResetAxisButton.get(),
                                                              f.ClearGraphButton.get(), f.NormalRadioButton.get(),
                                                              f.TrendCheckBox.get(), f.GroupBox1.get(), f.GroupBox2.get()})
    EXPECT_TRUE(on->Enabled()) << on->Name();
  for (TNumEdit* field : {f.DatSkalEdit.get(), f.DatOffsetEdit.get(), f.GraphXmaxEdit.get(), f.GraphYmaxEdit.get(),
                          f.GraphYminEdit.get()}) {
    EXPECT_TRUE(field->Widget()->isEnabled());
  }
}

// One row of the view controls' state table.
struct ViewState {
  bool normal, zoom, zoomEnabled, log, logEnabled, trend;
  TMouseActMode mouse;
  bool trendMode;
};

inline void ExpectState(TForm1& f, const ViewState& s) {
  EXPECT_EQ(f.NormalRadioButton->Checked(), s.normal);
  EXPECT_EQ(f.ZoomRadioButton->Checked(), s.zoom);
  EXPECT_EQ(f.ZoomRadioButton->Enabled(), s.zoomEnabled);
  EXPECT_EQ(f.LogCheckBox->Checked(), s.log);
  EXPECT_EQ(f.LogCheckBox->Enabled(), s.logEnabled);
  EXPECT_EQ(f.TrendCheckBox->Checked(), s.trend);
  EXPECT_EQ(f.Chart1->MouseAction(), s.mouse);
  EXPECT_EQ(f.SessionState.TrendMode, s.trendMode);
}

}  // namespace kurvex::test
