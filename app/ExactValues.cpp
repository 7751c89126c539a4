#include "app/ExactValues.h"

#include "app/ColorSignals.h"
#include "app/EntryField.h"
#include "platform/window/Label.h"
#include "platform/window/WinControl.h"
#include "runtime/NumberText.h"
#include "system/Locale.h"

namespace tintoral {
namespace {

constexpr const char* kChannelNames[3] = {"Rojo", "Verde", "Azul"};
constexpr const char* kChannelLetters[3] = {"R", "G", "B"};
constexpr int kFieldTop = 6;
constexpr int kFieldHeight = 21;

TLabel* AddCaption(TWinControl& panel, int left, const std::string& text) {
  auto* label = new TLabel(&panel);
  label->SetParent(&panel);
  label->SetBounds(left, kFieldTop + 4, 10, 13);
  label->SetAutoSize(true);
  label->SetShowAccelChar(false);
  label->SetCaption(text);
  return label;
}

TEntryField* AddField(TWinControl& panel, int left, int width, const std::string& name) {
  auto* field = new TEntryField(&panel);
  field->SetParent(&panel);
  field->SetBounds(left, kFieldTop, width, kFieldHeight);
  field->SetFieldName(name);
  return field;
}

double& Channel(TSliderColor& color, int channel) {
  return channel == 0 ? color.Red : channel == 1 ? color.Green : color.Blue;
}

}  // namespace

std::string PercentText(double percent) {
  std::string text = FixedText(percent, 3);
  const char separator = DecimalSeparator();
  if (text.find(separator) == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == separator) text.pop_back();
  return text;
}

TExactValues::TExactValues(TWinControl& panel, TApply apply) : apply_(std::move(apply)) {
  int left = 8;
  for (int c = 0; c < 3; ++c) {
    captions_[c] = AddCaption(panel, left, std::string(kChannelLetters[c]) + " %");
    percent_[c] = AddField(panel, left + 28, 64, std::string(kChannelLetters[c]) + " %");
    left += 104;
  }
  left += 16;
  for (int c = 0; c < 3; ++c) {
    captions_[3 + c] = AddCaption(panel, left, std::string(kChannelLetters[c]) + " 0-255");
    level_[c] = AddField(panel, left + 50, 40, std::string(kChannelLetters[c]) + " 0-255");
    left += 100;
  }
  left += 8;
  captions_[6] = AddCaption(panel, left, "Color #");
  hex_ = AddField(panel, left + 44, 72, "Color #");
  message_ = new TLabel(&panel);
  message_->SetParent(&panel);
  message_->SetShowAccelChar(false);
  message_->SetBounds(8, kFieldTop + kFieldHeight + 6, panel.ClientWidth() - 16, 13);
  message_->Font().SetColor(clMaroon);
  message_->Font().SetStyle(FontStyleBit(fsBold));
  message_->SetParentFont(false);
  for (TEntryField* field : Fields()) field->OnApply = [this](TEntryField& f) { Apply(f); };
}

std::array<TEntryField*, 7> TExactValues::Fields() const {
  return {percent_[0], percent_[1], percent_[2], level_[0], level_[1], level_[2], hex_};
}

const TLabel* TExactValues::CaptionOf(const TEntryField& field) const {
  const auto fields = Fields();
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i] == &field) return captions_[i];
  return nullptr;
}

void TExactValues::Show(const TSliderColor& color) {
  shown_ = color;
  const TColorSignalValues s = ComputeColorSignals(color.Red, color.Green, color.Blue);
  const int levels[3] = {s.Red8, s.Green8, s.Blue8};
  for (int c = 0; c < 3; ++c) {
    percent_[c]->SetText(PercentText(Channel(shown_, c)));
    level_[c]->SetText(std::to_string(levels[c]));
  }
  hex_->SetText(ColorHexText(s.SwatchColor));
  message_->SetCaption("");
}

void TExactValues::Apply(TEntryField& field) {
  TSliderColor color = shown_;
  std::string problem;
  if (&field == hex_) {
    const TEntry<TSliderColor> entry = ParseHexEntry(field.Text());
    if (entry.Value) color = *entry.Value;
    problem = entry.Problem;
  }
  for (int c = 0; c < 3; ++c) {
    if (&field != percent_[c] && &field != level_[c]) continue;
    const TEntry<double> entry = &field == percent_[c]
                                     ? ParsePercentEntry(field.Text(), DecimalSeparator(), kChannelNames[c])
                                     : ParseLevelEntry(field.Text(), kChannelNames[c]);
    if (entry.Value) Channel(color, c) = *entry.Value;
    problem = entry.Problem;
  }
  if (!problem.empty()) {
    message_->SetCaption(problem);
    return;
  }
  apply_(color);
  Show(color);  // also when nothing moved: the field shows its value as the others do
}

}  // namespace tintoral
