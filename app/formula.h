// The formula scan of the solution page: a chemical formula such as C6H12O6
// read character by character, each element symbol looked up in the element
// table and its atomic weight added once per atom, the running sum kept as
// the text Str makes of it (so every partial sum is rounded as Str rounds
// it).
//
// The scan runs against a Host, which supplies the element table and what
// happens around the scan:
//
//   int32_t Rows();                     rows of the element table
//   String Symbol(int32_t row);         the row's symbol (column 0)
//   String Weight(int32_t row);         the row's atomic weight (column 2)
//   bool Serve();                       background tasks; false: stop now
//   void RefuseParentheses();           the message for "("
//   bool SymbolRead(const String& mw);  after each symbol, the sum so far; false: stop
#pragma once

#include "quillon/handles.h"

namespace titrix {

// Counts up to this many atoms are added one atom at a time, each sum
// rounded by Str; a larger count is multiplied and rounded once. Three
// million single additions take about a second under wine64
// (docs/titrix.md); one at a time, a count of 2^31 - 1 would take more than
// ten minutes, and larger counts could never finish.
constexpr double kAtomsAddedOneByOne = 3000000;

struct FormulaSum {
  quillon::String weight;  // the molecular weight as Str wrote it last; nil for no atom
  bool finished;           // false: the host stopped the scan
};

namespace formula {

inline quillon::String Mid(const quillon::String& s, int32_t position) {
  return quillon::String::Adopt(StringDBCSMid3(s.get(), position, 1));
}
inline int32_t Length(const quillon::String& s) { return StringDBCSLen(s.get()); }
inline int32_t Code(const quillon::String& character) { return StringDBCSAsc(character.get()); }
inline bool IsDigit(int32_t code) { return code >= 48 && code <= 57; }
inline bool IsUpper(int32_t code) { return code >= 65 && code <= 90; }
inline bool IsLower(int32_t code) { return code >= 97 && code <= 122; }
constexpr int32_t kParenthesis = 40;

inline quillon::String AddWeight(const quillon::String& sum, double weight) {
  return quillon::String::Adopt(StringStr(weight + StringVal(sum.get())));
}

// `count` atoms of `weight` added to `sum`.
template <class Host>
bool AddAtoms(quillon::String& sum, double weight, double count, Host& host) {
  if (count > kAtomsAddedOneByOne) {
    sum = AddWeight(sum, weight == 0 ? 0 : weight * count);  // no atoms of nothing make nothing, not NaN
    return true;
  }
  for (int32_t k = 1; k <= count; ++k) {
    sum = AddWeight(sum, weight);
    if (!host.Serve()) return false;
  }
  return true;
}

}  // namespace formula

template <class Host>
FormulaSum ScanFormula(const quillon::String& text, Host& host) {
  using namespace formula;
  using quillon::String;
  String sum;
  // i: where the current symbol starts; it advances by the characters the
  // symbol consumed, not by their positions, so a passed-over character
  // (a space, ")") is read again as a symbol of its own.
  for (int32_t i = 1; i <= Length(text); ++i) {
    if (Code(Mid(text, i)) == kParenthesis) {
      host.RefuseParentheses();
      i = Length(text);
    }
    String symbol = Mid(text, i);
    String count;
    for (int32_t j = i;;) {
      if (++j > Length(text)) break;
      const String c = Mid(text, j);
      const int32_t code = Code(c);
      if (IsLower(code)) {
        symbol = symbol + c;
        ++i;
      }
      if (IsDigit(code)) {
        count = count + c;
        ++i;
      }
      if (IsUpper(code)) j = Length(text);
      if (!host.Serve()) return {sum, false};
    }
    const double atoms = count.empty() ? 1 : StringVal(count.get());
    const int32_t rows = host.Rows();
    for (int32_t row = 0; row < rows; ++row) {
      // The table never changes during a scan: one comparison per row
      // decides for all its atoms.
      if (atoms >= 1 && symbol == host.Symbol(row)) {
        if (!AddAtoms(sum, StringVal(host.Weight(row).get()), atoms, host)) return {sum, false};
      }
      if (!host.Serve()) return {sum, false};
    }
    if (!host.SymbolRead(sum) || !host.Serve()) return {sum, false};
  }
  return {sum, true};
}

}  // namespace titrix
