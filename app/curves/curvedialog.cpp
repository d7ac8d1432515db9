// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curvedialog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "app/curvecolors.h"
#include "app/curves/curvetexts.h"
#include "app/designcontrols.h"
#include "app/numbertext.h"
#include "app/valuetext.h"
#include "intake/linevalues.h"
#include "intake/singleprecision.h"
#include "platform/system/localeformat.h"
#include "platform/system/translate.h"
#include "widgets/numberconvert.h"

namespace kurvex {

namespace {

// The axis choices in the order of the list.
constexpr std::array<std::pair<TCurveAxis, TText>, 2> kAxes{{
    {TCurveAxis::Left, TrNoop("Curves", "links")},
    {TCurveAxis::Right, TrNoop("Curves", "rechts")},
}};

// One row per setting: the label at the left, its field after it.
constexpr int kLabelLeft = 8, kFieldLeft = 92, kFieldWidth = 260, kRowHeight = 26;
constexpr int RowTop(int row) { return 8 + row * 32; }

// The field the user has to correct, and why. Thrown while the fields are
// read, so that nothing is applied.
struct TRefusal {
  TEdit& field;
  std::string reason;
};

// A label on the text line of a field whose top is `top`.
std::unique_ptr<TLabel> MakeFieldLabel(TWinControl* parent, const char* name, const std::string& caption, int left,
                                       int top) {
  return MakeLabel(parent, name, caption.c_str(), left, top + 4);
}

// The field `label` names: a screen reader says the label's text for it,
// and the label's accelerator focuses it.
template <class Field>
std::unique_ptr<Field> MakeField(TLabel& label, const char* name, int left, int top, int width) {
  auto field = MakeControl<Field>(label.Parent(), name, left, top, width, kRowHeight);
  label.SetFocusControl(field.get());
  return field;
}

std::unique_ptr<TSpeedButton> MakeButton(TWinControl* parent, const char* name, const std::string& caption,
                                         int left, int top, TNotifyEvent onClick) {
  auto button = MakeControl<TSpeedButton>(parent, name, left, top, 84, kRowHeight);
  button->SetCaption(caption);
  button->OnClick = std::move(onClick);
  return button;
}

// "2 – Druck": the curve's number, and its name when it has one.
std::string CurveItem(std::size_t curve, const std::string& label) {
  return std::to_string(curve + 1) + (label.empty() ? "" : " – " + label);
}

// A name or unit, at most as long as an instrument's line may give one.
std::string TextIn(TEdit& field, const std::string& name) {
  std::string text = field.Text();
  if (text.size() > TLineValues::kMaxName) throw TRefusal{field, TooLongRefusal(name, TLineValues::kMaxName)};
  return text;
}

// The number in `field`, read as the window's number fields read theirs.
long double NumberIn(TEdit& field, const std::string& name) {
  try {
    return StrToFloat(field.Text());
  } catch (const EConvertError&) {
    throw TRefusal{field, NotANumberRefusal(name)};
  }
}

// A factor or offset in single precision, as the window keeps its own;
// none when the field is left empty.
std::optional<float> ScaleIn(TEdit& field, const std::string& name) {
  if (field.Text().empty()) return std::nullopt;
  const std::optional<float> single = InSingleRange(NumberIn(field, name));
  if (!single) throw TRefusal{field, TooLargeRefusal(name)};
  return single;
}

double RangeEndIn(TEdit& field, const std::string& name) {
  const auto end = static_cast<double>(NumberIn(field, name));
  if (!std::isfinite(end)) throw TRefusal{field, TooLargeRefusal(name)};
  return end;
}

}  // namespace

TCurveDialog::TCurveDialog(TCurveSettings& curves, std::function<std::size_t()> curveCount,
                           std::function<std::string(std::size_t)> curveLabel)
    : m_curves(curves), m_curveCount(std::move(curveCount)), m_curveLabel(std::move(curveLabel)) {
  SetName("FormKanaele");
  SetCaption(Tr("Curves", "Kanäle"));
  SetBorderStyle(bsSingle);
  SetClientSize(360, 454);
  CreateControls();
  // Names given since the window was last open show in the list.
  OnShow = [this](TObject*) { ShowCurve(m_curve); };
}

void TCurveDialog::CreateControls() {
  CurveLabel = MakeFieldLabel(this, "CurveLabel", Tr("Curves", "&Kanal"), kLabelLeft, RowTop(0));
  CurveComboBox = MakeField<TComboBox>(*CurveLabel, "CurveComboBox", kFieldLeft, RowTop(0), kFieldWidth);
  CurveComboBox->SetStyle(csDropDownList);
  CurveComboBox->OnChange = [this](TObject* sender) { CurveComboBoxChange(sender); };

  NameLabel = MakeFieldLabel(this, "NameLabel", Tr("Curves", "&Name"), kLabelLeft, RowTop(1));
  NameEdit = MakeField<TEdit>(*NameLabel, "NameEdit", kFieldLeft, RowTop(1), kFieldWidth);
  UnitLabel = MakeFieldLabel(this, "UnitLabel", Tr("Curves", "&Einheit"), kLabelLeft, RowTop(2));
  UnitEdit = MakeField<TEdit>(*UnitLabel, "UnitEdit", kFieldLeft, RowTop(2), kFieldWidth);
  FactorLabel = MakeFieldLabel(this, "FactorLabel", Tr("Curves", "&Faktor"), kLabelLeft, RowTop(3));
  FactorEdit = MakeField<TEdit>(*FactorLabel, "FactorEdit", kFieldLeft, RowTop(3), kFieldWidth);
  FactorEdit->SetPlaceholderText(Tr("Curves", "leer: Roh-Daten Skalierungsfaktor"));
  OffsetLabel = MakeFieldLabel(this, "OffsetLabel", Tr("Curves", "&Offset"), kLabelLeft, RowTop(4));
  OffsetEdit = MakeField<TEdit>(*OffsetLabel, "OffsetEdit", kFieldLeft, RowTop(4), kFieldWidth);
  OffsetEdit->SetPlaceholderText(Tr("Curves", "leer: Daten Offset"));

  ColorLabel = MakeFieldLabel(this, "ColorLabel", Tr("Curves", "Fa&rbe"), kLabelLeft, RowTop(5));
  ColorComboBox = MakeField<TComboBox>(*ColorLabel, "ColorComboBox", kFieldLeft, RowTop(5), kFieldWidth);
  ColorComboBox->SetStyle(csDropDownList);
  ColorComboBox->SetDropDownCount(static_cast<int>(kMaxCurves) + 1);

  ShownCheckBox = MakeControl<TCheckBox>(this, "ShownCheckBox", kFieldLeft, RowTop(6), kFieldWidth, kRowHeight);
  ShownCheckBox->SetCaption(Tr("Curves", "An&zeigen"));

  AxisLabel = MakeFieldLabel(this, "AxisLabel", Tr("Curves", "&Y-Achse"), kLabelLeft, RowTop(7));
  AxisComboBox = MakeField<TComboBox>(*AxisLabel, "AxisComboBox", kFieldLeft, RowTop(7), kFieldWidth);
  AxisComboBox->SetStyle(csDropDownList);
  std::vector<std::string> axes;
  for (const auto& [axis, name] : kAxes) axes.push_back(Tr(name));
  AxisComboBox->SetItems(axes);

  CreateRightAxisGroup(RowTop(8) + 2);

  MessageLabel = std::make_unique<TLabel>(this);
  MessageLabel->SetName("MessageLabel");
  MessageLabel->SetAutoSize(false);
  MessageLabel->SetWordWrap(true);
  MessageLabel->SetBounds(kLabelLeft, 366, 344, 48);

  ApplyButton = MakeButton(this, "ApplyButton", Tr("Curves", "Ü&bernehmen"), 180, 420,
                           [this](TObject* sender) { ApplyButtonClick(sender); });
  CloseButton = MakeButton(this, "CloseButton", Tr("Curves", "&Schließen"), 268, 420,
                           [this](TObject* sender) { CloseButtonClick(sender); });
  CloseButton->AddShortCut("Esc");
}

void TCurveDialog::CreateRightAxisGroup(int top) {
  RightAxisGroupBox = MakeControl<TGroupBox>(this, "RightAxisGroupBox", kLabelLeft, top, 344, 92);
  RightAxisGroupBox->SetCaption(Tr("Curves", "Rechte Y-Achse"));
  TGroupBox* group = RightAxisGroupBox.get();
  RightAutoCheckBox = MakeControl<TCheckBox>(group, "RightAutoCheckBox", 12, 24, 200, 24);
  RightAutoCheckBox->SetCaption(Tr("Curves", "a&utomatisch"));
  RightMinLabel = MakeFieldLabel(group, "RightMinLabel", Tr("Curves", "&von"), 12, 56);
  RightMinEdit = MakeField<TEdit>(*RightMinLabel, "RightMinEdit", 44, 56, 120);
  RightMaxLabel = MakeFieldLabel(group, "RightMaxLabel", Tr("Curves", "b&is"), 180, 56);
  RightMaxEdit = MakeField<TEdit>(*RightMaxLabel, "RightMaxEdit", 212, 56, 120);
  // A range is typed only for a fixed axis.
  RightAutoCheckBox->OnClick = [this](TObject*) {
    RightMinEdit->SetEnabled(!RightAutoCheckBox->Checked());
    RightMaxEdit->SetEnabled(!RightAutoCheckBox->Checked());
  };
}

void TCurveDialog::ShowCurve(std::size_t curve) {
  const std::size_t count = std::min(std::max(m_curveCount(), curve + 1), kMaxCurves);
  std::vector<std::string> items;
  for (std::size_t c = 0; c < count; ++c) items.push_back(CurveItem(c, m_curveLabel(c)));
  CurveComboBox->SetItems(items);
  m_curve = curve;
  // A change of the choice fills the fields through its handler.
  if (CurveComboBox->Text() == items[curve]) FillFields();
  else CurveComboBox->SetText(items[curve]);
}

void TCurveDialog::CurveComboBoxChange(TObject*) {
  const std::int64_t number = LeadingInteger(CurveComboBox->Text());
  if (number < 1) return;
  m_curve = static_cast<std::size_t>(number - 1);
  FillFields();
}

void TCurveDialog::FillFields() {
  const TCurveScale& scale = m_curves.Scale(m_curve);
  NameEdit->SetText(m_curves.Name(m_curve));
  UnitEdit->SetText(m_curves.Unit(m_curve));
  FactorEdit->SetText(scale.Factor ? ShortValueText(*scale.Factor, DecimalSeparator()) : "");
  OffsetEdit->SetText(scale.Offset ? ShortValueText(*scale.Offset, DecimalSeparator()) : "");

  std::vector<std::string> colors;
  std::string chosen;
  for (std::size_t i = 0; i < kMaxCurves; ++i) {
    colors.push_back(CurveColorName(i));
    if (CurveColor(i) == m_curves.Color(m_curve)) chosen = colors.back();
  }
  m_otherColor.reset();
  if (chosen.empty()) {
    m_otherColor = m_curves.Color(m_curve);
    colors.push_back(chosen = OtherColorText(*m_otherColor));
  }
  ColorComboBox->SetItems(colors);
  ColorComboBox->SetText(chosen);

  ShownCheckBox->SetChecked(m_curves.Shown(m_curve));
  for (const auto& [axis, name] : kAxes)
    if (axis == m_curves.Axis(m_curve)) AxisComboBox->SetText(Tr(name));

  const std::optional<TAxisRange>& range = m_curves.RightRange();
  RightMinEdit->SetText(range ? LocaleNumberText(range->Low) : "");
  RightMaxEdit->SetText(range ? LocaleNumberText(range->High) : "");
  RightAutoCheckBox->SetChecked(!range);
  MessageLabel->SetCaption("");
}

TColor TCurveDialog::ChosenColor() const {
  for (std::size_t i = 0; i < kMaxCurves; ++i)
    if (ColorComboBox->Text() == CurveColorName(i)) return CurveColor(i);
  return m_otherColor.value_or(m_curves.Color(m_curve));
}

TCurveDialog::TFieldValues TCurveDialog::ReadFields() const {
  TFieldValues values;
  values.Name = TextIn(*NameEdit, Tr("Curves", "Name"));
  values.Unit = TextIn(*UnitEdit, Tr("Curves", "Einheit"));
  values.Scale.Factor = ScaleIn(*FactorEdit, Tr("Curves", "Faktor"));
  if (values.Scale.Factor == 0.0f) throw TRefusal{*FactorEdit, ZeroFactorRefusal()};
  values.Scale.Offset = ScaleIn(*OffsetEdit, Tr("Curves", "Offset"));
  values.Color = ChosenColor();
  values.Shown = ShownCheckBox->Checked();
  for (const auto& [axis, name] : kAxes)
    if (AxisComboBox->Text() == Tr(name)) values.Axis = axis;
  if (!RightAutoCheckBox->Checked()) {
    const TAxisRange range{RangeEndIn(*RightMinEdit, Tr("Curves", "von")),
                           RangeEndIn(*RightMaxEdit, Tr("Curves", "bis"))};
    if (range.Low >= range.High) throw TRefusal{*RightMinEdit, RightRangeRefusal()};
    values.RightRange = range;
  }
  return values;
}

void TCurveDialog::ApplyButtonClick(TObject*) {
  TFieldValues values;
  try {
    values = ReadFields();
  } catch (const TRefusal& refusal) {
    MessageLabel->SetCaption(refusal.reason);
    refusal.field.SetFocus();
    return;
  }
  m_curves.SetName(m_curve, std::move(values.Name));
  m_curves.SetUnit(m_curve, std::move(values.Unit));
  m_curves.SetScale(m_curve, values.Scale);
  m_curves.SetColor(m_curve, values.Color);
  m_curves.SetShown(m_curve, values.Shown);
  m_curves.SetAxis(m_curve, values.Axis);
  m_curves.SetRightRange(values.RightRange);
  MessageLabel->SetCaption("");
  if (OnApplied) OnApplied(m_curve);
}

void TCurveDialog::CloseButtonClick(TObject*) { Close(); }

}  // namespace kurvex
