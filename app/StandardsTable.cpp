#include "app/StandardsTable.h"

#include "app/ColorSignals.h"
#include "platform/window/Label.h"
#include "platform/window/WinControl.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

constexpr int kNameWidth = 88;
constexpr int kColumnWidth = 162;
constexpr int kRowHeight = 14;
constexpr int kTop = 4;

// A value's label keeps its cell's size: a slider step then changes its
// text without measuring it.
enum class TLabelSize { FitsText, FillsCell };

TLabel* AddLabel(TWinControl& panel, int column, int row, const std::string& text, bool bold = false,
                 TLabelSize size = TLabelSize::FitsText) {
  auto* label = new TLabel(&panel);
  label->SetParent(&panel);
  label->SetShowAccelChar(false);
  label->SetAutoSize(size == TLabelSize::FitsText);
  if (bold) {
    label->Font().SetStyle(FontStyleBit(fsBold));
    label->SetParentFont(false);
  }
  const int left = column < 0 ? 8 : kNameWidth + column * kColumnWidth;
  label->SetBounds(left, kTop + row * kRowHeight, column < 0 ? kNameWidth - 8 : kColumnWidth - 4, kRowHeight);
  label->SetCaption(text);
  return label;
}

// The rows: the standard's name, its three formulas, the five values, and
// a note on the program's U factor.
enum Row { kNameRow, kLumaFormulaRow, kRedFormulaRow, kBlueFormulaRow, kFirstValueRow, kNoteRow = kFirstValueRow + 5 };

// The main window's formula label prints the U factor as 0,493; it computes
// with 0,492, and so does this table.
std::string ProgramNote() {
  return "Programa: U se calcula con " + FixedText(ChromaU(1.0), 3) +
         ", aunque el r\xF3tulo de la ventana principal dice " + FixedText(0.493L, 3) + ".";
}

}  // namespace

std::string SignalText(long double value, bool withSign) {
  std::string text = FixedText(value, 3);
  if (withSign && text.front() != '-') text.insert(text.begin(), '+');
  return text;
}

std::vector<std::string> TStandardsTable::ValueRowNames() { return {"Y", "R-Y", "B-Y", "V / Cr", "U / Cb"}; }

TStandardsTable::TStandardsTable(TWinControl& panel) {
  AddLabel(panel, -1, kNameRow, "Norma", true);
  AddLabel(panel, -1, kLumaFormulaRow, "Y =");
  AddLabel(panel, -1, kRedFormulaRow, "Diferencia R");
  AddLabel(panel, -1, kBlueFormulaRow, "Diferencia B");
  const std::vector<std::string> names = ValueRowNames();
  for (int row = 0; row < kValueRows; ++row) AddLabel(panel, -1, kFirstValueRow + row, names[row] + ":", true);
  AddLabel(panel, -1, kNoteRow, ProgramNote())->SetAutoSize(true);
  for (int column = 0; column < kTvStandardCount; ++column) {
    const TTvStandard& standard = TvStandards()[column];
    AddLabel(panel, column, kNameRow, std::string(standard.Name), true);
    AddLabel(panel, column, kLumaFormulaRow, LumaFormulaText(standard));
    AddLabel(panel, column, kRedFormulaRow, RedDifferenceFormulaText(standard));
    AddLabel(panel, column, kBlueFormulaRow, BlueDifferenceFormulaText(standard));
    for (int row = 0; row < kValueRows; ++row)
      values_[row][column] = AddLabel(panel, column, kFirstValueRow + row, "", false, TLabelSize::FillsCell);
  }
}

void TStandardsTable::Show(const TSliderColor& color) {
  for (int column = 0; column < kTvStandardCount; ++column) {
    const TTvStandard& standard = TvStandards()[column];
    const TStandardSignals s = ComputeStandardSignals(standard, color);
    const std::string red(standard.RedDifferenceName), blue(standard.BlueDifferenceName);
    values_[0][column]->SetCaption(SignalText(s.Y, false));
    values_[1][column]->SetCaption(SignalText(s.RMinusY, true));
    values_[2][column]->SetCaption(SignalText(s.BMinusY, true));
    values_[3][column]->SetCaption(red + " " + SignalText(s.RedDifference, true));
    values_[4][column]->SetCaption(blue + " " + SignalText(s.BlueDifference, true));
  }
}

std::vector<std::vector<std::string>> TStandardsTable::ValueRows() const {
  std::vector<std::vector<std::string>> rows;
  for (int column = 0; column < kTvStandardCount; ++column) {
    std::vector<std::string> row{std::string(TvStandards()[column].Name)};
    for (int r = 0; r < kValueRows; ++r) row.push_back(values_[r][column]->Caption());
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tintoral
