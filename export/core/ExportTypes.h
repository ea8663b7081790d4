// The kinds of source an exporter reads and the value types of its columns, shared by every
// class of the export library.
#pragma once

// Which component an exporter reads its rows from.
enum class TExportSource { esDataSet, esListView, esDBGrid, esStringGrid, esCustom };
using enum TExportSource;

// The type of an exported column's values. ectInteger .. ectDateTime are formatted with a mask,
// ectInteger .. ectCurrency are numbers.
enum class TExportColType {
  ectInteger,
  ectBigint,
  ectFloat,
  ectCurrency,
  ectDate,
  ectTime,
  ectDateTime,
  ectString,
  ectBoolean,
  ectUnknown
};
using enum TExportColType;

// Names of the values, in order, for published properties and messages.
#define HHM_EXPORT_SOURCE_NAMES "esDataSet", "esListView", "esDBGrid", "esStringGrid", "esCustom"
#define HHM_EXPORT_COL_TYPE_NAMES                                                                                \
  "ectInteger", "ectBigint", "ectFloat", "ectCurrency", "ectDate", "ectTime", "ectDateTime", "ectString", \
      "ectBoolean", "ectUnknown"
