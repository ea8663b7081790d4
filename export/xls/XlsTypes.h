// The enumerations of the Excel cell formats and notes. The ordinals of the border styles,
// patterns and both alignments are the codes of the XF record, so they are written unchanged.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "System.h"

enum class TxlsFontStyle { xfsBold, xfsItalic, xfsStrikeOut };
using enum TxlsFontStyle;
using TxlsFontStyles = SetOf<TxlsFontStyle>;
inline constexpr std::initializer_list<const char*> TxlsFontStyleNames = {"xfsBold", "xfsItalic", "xfsStrikeOut"};

enum class TxlsFontScript { fscNone, fscSuperscript, fscSubscript };
using enum TxlsFontScript;
inline constexpr std::initializer_list<const char*> TxlsFontScriptNames = {"fscNone", "fscSuperscript", "fscSubscript"};

enum class TxlsFontUnderline { fulNone, fulSingle, fulDouble, fulSingleAccounting, fulDoubleAccounting };
using enum TxlsFontUnderline;
inline constexpr std::initializer_list<const char*> TxlsFontUnderlineNames = {
    "fulNone", "fulSingle", "fulDouble", "fulSingleAccounting", "fulDoubleAccounting"};

enum class TxlsBorderStyle {
  bstNone, bstThin, bstMedium, bstDashed, bstDotted, bstThick, bstDouble, bstHair, bstMediumDashed, bstDashDot,
  bstMediumDashDot, bstDashDotDot, bstMediumDashDotDot, bstSlantedDashDot
};
using enum TxlsBorderStyle;
inline constexpr std::initializer_list<const char*> TxlsBorderStyleNames = {
    "bstNone",     "bstThin",          "bstMedium",     "bstDashed",           "bstDotted",
    "bstThick",    "bstDouble",        "bstHair",       "bstMediumDashed",     "bstDashDot",
    "bstMediumDashDot", "bstDashDotDot", "bstMediumDashDotDot", "bstSlantedDashDot"};

enum class TxlsPattern {
  ptNone, ptSolid, ptChess, ptWhiteSpots, ptBlackSpots, ptBoldHorizontal, ptBoldVertical, ptBoldDiagRight,
  ptBoldDiagLeft, ptBoldChess, ptRingMail, ptThinGorizontal, ptThinVertical, ptThinDiagLeft, ptThinDiagRight,
  ptCells, ptCrissCross, ptThinSpots, ptThinThinSpots
};
using enum TxlsPattern;
inline constexpr std::initializer_list<const char*> TxlsPatternNames = {
    "ptNone",         "ptSolid",        "ptChess",        "ptWhiteSpots",   "ptBlackSpots",
    "ptBoldHorizontal", "ptBoldVertical", "ptBoldDiagRight", "ptBoldDiagLeft", "ptBoldChess",
    "ptRingMail",     "ptThinGorizontal", "ptThinVertical", "ptThinDiagLeft", "ptThinDiagRight",
    "ptCells",        "ptCrissCross",   "ptThinSpots",    "ptThinThinSpots"};

enum class TxlsHorizontalAlignment { halGeneral, halLeft, halCenter, halRight, halFill };
using enum TxlsHorizontalAlignment;
inline constexpr std::initializer_list<const char*> TxlsHorizontalAlignmentNames = {"halGeneral", "halLeft", "halCenter",
                                                                                   "halRight", "halFill"};

enum class TxlsVerticalAlignment { valTop, valCenter, valBottom, valJustify };
using enum TxlsVerticalAlignment;
inline constexpr std::initializer_list<const char*> TxlsVerticalAlignmentNames = {"valTop", "valCenter", "valBottom",
                                                                                 "valJustify"};

enum class TxlsAggregate { aggNone, aggSum, aggAvg, aggMin, aggMax };
using enum TxlsAggregate;
inline constexpr std::initializer_list<const char*> TxlsAggregateNames = {"aggNone", "aggSum", "aggAvg", "aggMin", "aggMax"};

enum class TxlsNoteFillType { nftSolid, nftGradient };
using enum TxlsNoteFillType;
inline constexpr std::initializer_list<const char*> TxlsNoteFillTypeNames = {"nftSolid", "nftGradient"};

enum class TxlsOrientation { xrtNoRotation, xlrTopToBottom, xlrCounterClockWise, xlrClockWise };
using enum TxlsOrientation;
inline constexpr std::initializer_list<const char*> TxlsOrientationNames = {"xrtNoRotation", "xlrTopToBottom",
                                                                           "xlrCounterClockWise", "xlrClockWise"};

enum class TxlsNoteGradient { ngrHorizontal, ngrVertical, ngrDiagonalUp, ngrDiagonalDown, ngrFromCorner, ngrFromCenter };
using enum TxlsNoteGradient;
inline constexpr std::initializer_list<const char*> TxlsNoteGradientNames = {
    "ngrHorizontal", "ngrVertical", "ngrDiagonalUp", "ngrDiagonalDown", "ngrFromCorner", "ngrFromCenter"};

// A percentage, 0 to 100.
using TxlsPercent = int;
