// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/curvesettings.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/combobox.h"
#include "platform/windows/edit.h"
#include "platform/windows/form.h"
#include "platform/windows/groupbox.h"
#include "platform/windows/label.h"
#include "platform/windows/speedbutton.h"

namespace kurvex {

/// The settings of one curve at a time, beside the main window: its name,
/// unit, own factor and offset, colour, whether it is shown and its Y axis,
/// and the right axis's range. Apply checks every field before it changes
/// anything, so a refused field leaves the curve as it was. GUI thread only.
class TCurveDialog : public TForm {
 public:
  /// `curveCount` says how many curves to offer (at least one is),
  /// `curveLabel` a curve's name as the legend shows it (empty: none).
  TCurveDialog(TCurveSettings& curves, std::function<std::size_t()> curveCount,
               std::function<std::string(std::size_t)> curveLabel);

  /// The curve list anew, `curve` (below kMaxCurves) chosen and its
  /// settings in the fields; also on each show, with the curve shown last.
  void ShowCurve(std::size_t curve);

  /// After each apply that went through, with the curve applied.
  std::function<void(std::size_t curve)> OnApplied;

  void ApplyButtonClick(TObject* Sender);
  void CloseButtonClick(TObject* Sender);
  void CurveComboBoxChange(TObject* Sender);

  std::unique_ptr<TLabel> CurveLabel;
  std::unique_ptr<TComboBox> CurveComboBox;
  std::unique_ptr<TLabel> NameLabel;
  std::unique_ptr<TEdit> NameEdit;
  std::unique_ptr<TLabel> UnitLabel;
  std::unique_ptr<TEdit> UnitEdit;
  std::unique_ptr<TLabel> FactorLabel;
  std::unique_ptr<TEdit> FactorEdit;
  std::unique_ptr<TLabel> OffsetLabel;
  std::unique_ptr<TEdit> OffsetEdit;
  std::unique_ptr<TLabel> ColorLabel;
  std::unique_ptr<TComboBox> ColorComboBox;
  std::unique_ptr<TCheckBox> ShownCheckBox;
  std::unique_ptr<TLabel> AxisLabel;
  std::unique_ptr<TComboBox> AxisComboBox;
  std::unique_ptr<TGroupBox> RightAxisGroupBox;
  std::unique_ptr<TCheckBox> RightAutoCheckBox;
  std::unique_ptr<TLabel> RightMinLabel;
  std::unique_ptr<TEdit> RightMinEdit;
  std::unique_ptr<TLabel> RightMaxLabel;
  std::unique_ptr<TEdit> RightMaxEdit;
  std::unique_ptr<TLabel> MessageLabel;
  std::unique_ptr<TSpeedButton> ApplyButton;
  std::unique_ptr<TSpeedButton> CloseButton;

 private:
  /// What the fields say, every one of them read and found good.
  struct TFieldValues {
    std::string Name, Unit;
    TCurveScale Scale;
    TColor Color = 0;
    bool Shown = true;
    TCurveAxis Axis = TCurveAxis::Left;
    std::optional<TAxisRange> RightRange;
  };

  void CreateControls();
  void CreateRightAxisGroup(int top);
  /// The fields := the settings of m_curve and of the right axis.
  void FillFields();
  /// Throws TRefusal (curvedialog.cpp) naming the first field refused.
  TFieldValues ReadFields() const;
  TColor ChosenColor() const;

  TCurveSettings& m_curves;
  std::function<std::size_t()> m_curveCount;
  std::function<std::string(std::size_t)> m_curveLabel;
  /// The curve the fields are of.
  std::size_t m_curve = 0;
  /// The curve's colour when the palette does not have it: the colour
  /// field's last item.
  std::optional<TColor> m_otherColor;
};

}  // namespace kurvex
