// Column information (COLINFO), and widths measured from the texts written.
#include <algorithm>
#include <cmath>

#include "Biff8Records.h"
#include "TFont.h"
#include "TFontMetrics.h"
#include "TStream.h"
#include "TxlsColInfoList.h"
#include "TxlsFont.h"
#include "TxlsWorkbookWriter.h"

namespace {

constexpr long kMaxColumnWidth = 0xFFFF;  // COLINFO holds the width in 16 bits

// The faces the workbook's readers draw its fonts in, not those of the program's windows: a
// column sized in another face than theirs can be too narrow for its values.
std::unique_ptr<TFontMetrics> metricsOf(const TxlsFont& font) {
  TFont screen;
  screen.Assign(const_cast<TxlsFont*>(&font));
  return std::make_unique<TFontMetrics>(screen, ffDocument);
}

}  // namespace

const TFontMetrics& TxlsWorkbookWriter::metricsOfXF(std::uint16_t XF) {
  // Asked for every cell measured: a look-up by index.
  if (XF < xfMetrics_.size() && xfMetrics_[XF] != nullptr) return *xfMetrics_[XF];
  const TxlsFont* font = formats_.FontOfXF(XF);
  const std::uint16_t key = font != nullptr ? font->FontIndex() : 0;
  auto& metrics = metrics_[key];
  if (metrics == nullptr) {
    const TxlsFont defaultFont;
    metrics = metricsOf(font != nullptr ? *font : defaultFont);
  }
  if (XF >= xfMetrics_.size()) xfMetrics_.resize(std::size_t{XF} + 1, nullptr);
  xfMetrics_[XF] = metrics.get();
  return *metrics;
}

// Widths are in design widths, as the workbook's readers lay text out for any device: whole
// screen pixels would round the digit, and with it every width, by up to half a pixel in seven.
double TxlsWorkbookWriter::digitWidth() {
  if (digitWidth_ == 0) digitWidth_ = std::max(1.0, metricsOfXF(xlsDefaultXF).DesignWidth(u"0"));
  return digitWidth_;
}

void TxlsWorkbookWriter::writeColumnInfo(const TxlsSheetFrame& Frame) {
  colInfoPosition_ = stream().Position();
  colInfoCount_ = static_cast<int>(Frame.ColumnWidths.size());
  if (Frame.ColumnWidths.empty()) return;
  const double z = digitWidth();
  TxlsColInfoList list;
  for (std::size_t i = 0; i < Frame.ColumnWidths.size(); ++i) {
    const int column = Frame.StartDataCol + static_cast<int>(i);
    if (column >= biff8::MaxColumns) break;
    const double w = Frame.ColumnWidths[i] + 1.0;
    const long width = std::clamp<long>(std::lround((w + 1.0 / z) * 256), 0, kMaxColumnWidth);
    list.Add({static_cast<std::uint16_t>(column), static_cast<std::uint16_t>(width), xlsDefaultXF, 0});
  }
  colInfoCount_ = list.Count();
  list.SaveToStream(stream());
}

void TxlsWorkbookWriter::UpdateColumnWidth(std::u16string_view Text, std::uint16_t XF, int Column) {
  if (Column < 0) return;
  if (static_cast<std::size_t>(Column) >= columnWidths_.size()) columnWidths_.resize(static_cast<std::size_t>(Column) + 1, 0);
  int& held = columnWidths_[static_cast<std::size_t>(Column)];
  const TFontMetrics& metrics = metricsOfXF(XF);
  // The text with a digit after it, in a buffer kept from call to call (this runs per cell).
  WideString& text = measured_;
  text.assign(Text);
  text += u'0';
  // Most texts of a column are no wider than one before them: the widths of their characters
  // side by side tell so without laying the text out.
  const double quick = metrics.CharWidthSum(text);
  if (quick >= 0 && quick <= held * digitWidth()) return;
  held = std::max(held, static_cast<int>(std::ceil(metrics.DesignWidth(text) / digitWidth())));
}

void TxlsWorkbookWriter::PatchColumnWidths() {
  if (colInfoPosition_ < 0) return;
  TStream& out = stream();
  const std::int64_t end = out.Position();
  out.SetPosition(colInfoPosition_);
  const int count = std::min<int>(colInfoCount_, static_cast<int>(columnWidths_.size()));
  for (int i = 0; i < count; ++i) {
    const long width = std::clamp<long>(static_cast<long>(columnWidths_[static_cast<std::size_t>(i)]) * 256, 0, kMaxColumnWidth);
    record_.Clear();
    record_.U16(static_cast<std::uint16_t>(width));
    out.Seek(8, TSeekOrigin::soCurrent);  // record header, first and last column
    out.WriteBuffer(record_.Data(), 2);
    out.Seek(6, TSeekOrigin::soCurrent);  // XF, options, unused
  }
  out.SetPosition(end);
}

int TxlsWorkbookWriter::ColumnWidth(int Column) const {
  if (Column < 0 || static_cast<std::size_t>(Column) >= columnWidths_.size()) return 0;
  return columnWidths_[static_cast<std::size_t>(Column)];
}
