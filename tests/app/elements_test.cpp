// The shipped element table: its lines, the weights the calculator reads from
// it (through the runtime's Val, as the calculator does), and its agreement
// with the table in docs/elements.md.
#include <gtest/gtest.h>
#include <ctype.h>
#include <stdlib.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/string.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(' '), last = s.find_last_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

// The lines of elements.txt, each split at tabs; the file ends with CR LF.
std::vector<std::vector<std::string>> FileLines() {
  std::string text = ReadFile(QL_ELEMENTS_FILE);
  EXPECT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << "the last line ends like the others";
  text.resize(text.size() - 2);
  std::vector<std::vector<std::string>> lines;
  for (const std::string& line : Split(text, "\r\n")) lines.push_back(Split(line, "\t"));
  return lines;
}

struct DocRow {
  int z;
  std::string symbol, name, weight, kind;
};

// The rows of the table in docs/elements.md: | Z | Symbol | Name | Weight | Kind |
std::vector<DocRow> DocumentRows() {
  std::vector<DocRow> rows;
  for (const std::string& line : Split(ReadFile(QL_ELEMENTS_DOC), "\n")) {
    if (line.size() < 3 || line[0] != '|' || !isdigit(static_cast<unsigned char>(Trim(line.substr(1))[0]))) continue;
    const std::vector<std::string> cells = Split(line, "|");  // "", Z, Symbol, Name, Weight, Kind, ""
    EXPECT_EQ(cells.size(), 7u) << line;
    if (cells.size() != 7) continue;
    rows.push_back({std::stoi(Trim(cells[1])), Trim(cells[2]), Trim(cells[3]), Trim(cells[4]), Trim(cells[5])});
  }
  return rows;
}

// Val of a text, as the calculator sums it.
double Val(const std::string& text) {
  String s = NewStringFromBytes(text.data(), static_cast<int32_t>(text.size()), QL_ENCODING_UTF8);
  return StringVal(s.get());
}

TEST(ElementTable, OneLinePerElementInTheParsersSymbolForm) {
  const auto lines = FileLines();
  ASSERT_EQ(lines.size(), 118u);
  std::map<std::string, int> seen;
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto& fields = lines[i];
    ASSERT_TRUE(fields.size() == 3 || fields.size() == 4) << "line " << i + 1;
    const std::string& symbol = fields[0];
    ASSERT_FALSE(symbol.empty()) << "line " << i + 1;
    EXPECT_TRUE(isupper(static_cast<unsigned char>(symbol[0]))) << symbol;
    for (size_t k = 1; k < symbol.size(); ++k) EXPECT_TRUE(islower(static_cast<unsigned char>(symbol[k]))) << symbol;
    EXPECT_EQ(seen[symbol]++, 0) << symbol << " twice";
    if (fields.size() == 4) {
      EXPECT_EQ(fields[3], "mass number") << symbol;
    }
  }
}

TEST(ElementTable, EveryWeightIsReadWholeByVal) {
  for (const auto& fields : FileLines()) {
    const std::string& weight = fields[2];
    char* end = nullptr;
    const double expected = strtod(weight.c_str(), &end);
    EXPECT_EQ(*end, '\0') << fields[0] << ": " << weight;
    EXPECT_GT(expected, 0) << fields[0];
    EXPECT_EQ(Val(weight), expected) << fields[0];
    EXPECT_EQ(weight.find(','), std::string::npos) << "Val stops at a comma: " << fields[0];
  }
}

TEST(ElementTable, FileMatchesThisDocument) {
  const auto lines = FileLines();
  const auto rows = DocumentRows();
  ASSERT_EQ(rows.size(), lines.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const DocRow& row = rows[i];
    const auto& fields = lines[i];
    EXPECT_EQ(row.z, static_cast<int>(i + 1));
    EXPECT_EQ(fields[0], row.symbol) << "Z " << row.z;
    EXPECT_EQ(fields[1], row.name) << row.symbol;
    EXPECT_EQ(fields[2], row.weight) << row.symbol;
    EXPECT_TRUE(row.kind == "standard" || row.kind == "conventional" || row.kind == "mass number") << row.symbol;
    EXPECT_EQ(fields.size() == 4, row.kind == "mass number") << row.symbol;
  }
}

// Weights a chemist checks first, among them every conventional value of an
// interval element; the file and the document must both say these.
TEST(ElementTable, WellKnownWeights) {
  const struct {
    const char* symbol;
    double weight;
  } known[] = {
      {"H", 1.008},        {"He", 4.002602},      {"Li", 6.94},    {"B", 10.81},      {"C", 12.011},
      {"N", 14.007},       {"O", 15.999},         {"F", 18.998403162}, {"Na", 22.98976928}, {"Mg", 24.305},
      {"Si", 28.085},      {"P", 30.973761998},   {"S", 32.06},    {"Cl", 35.45},     {"Ar", 39.95},
      {"K", 39.0983},      {"Ca", 40.078},        {"Fe", 55.845},  {"Cu", 63.546},    {"Br", 79.904},
      {"Ag", 107.8682},    {"I", 126.90447},      {"Au", 196.96657}, {"Tl", 204.38},  {"Pb", 207.2},
      {"U", 238.02891},    {"Tc", 97},            {"Og", 294},
  };
  std::map<std::string, std::string> fileWeights, docWeights;
  for (const auto& fields : FileLines()) fileWeights[fields[0]] = fields[2];
  for (const DocRow& row : DocumentRows()) docWeights[row.symbol] = row.weight;
  for (const auto& k : known) {
    ASSERT_TRUE(fileWeights.count(k.symbol)) << k.symbol;
    EXPECT_EQ(Val(fileWeights[k.symbol]), k.weight) << k.symbol;
    EXPECT_EQ(Val(docWeights[k.symbol]), k.weight) << k.symbol;
  }
}

}  // namespace
}  // namespace ql
