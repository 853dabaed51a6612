#include "coff_writer.h"

#include <gtest/gtest.h>

namespace qlimage::test {

int16_t CoffWriter::Section(TestSection section, uint8_t selection, uint16_t associated) {
  if (section.size == 0) section.size = static_cast<uint32_t>(section.contents.size());
  if (selection != 0) section.characteristics |= kScnLnkComdat;
  sections_.push_back(section);
  int16_t number = static_cast<int16_t>(sections_.size());
  Bytes aux(18, 0);
  PutU32(aux, 0, section.size);
  aux[12] = static_cast<uint8_t>(associated);
  aux[13] = static_cast<uint8_t>(associated >> 8);
  aux[14] = selection;
  Symbol({section.name, 0, number, kSymStatic, {aux}});
  return number;
}

uint32_t CoffWriter::Symbol(TestSymbol symbol) {
  uint32_t index = 0;
  for (const TestSymbol& s : symbols_) index += 1 + static_cast<uint32_t>(s.aux.size());
  symbols_.push_back(std::move(symbol));
  return index;
}

void CoffWriter::Relocate(int16_t section, uint32_t offset, uint32_t symbol, uint16_t type) {
  sections_[section - 1].relocations.push_back({offset, symbol, type});
}

Bytes CoffWriter::Build() const {
  Bytes strings(4, 0);
  auto name8 = [&](Bytes& out, const std::string& name, bool section) {
    Bytes field(8, 0);
    if (name.size() <= 8) {
      std::copy(name.begin(), name.end(), field.begin());
    } else {
      uint32_t offset = static_cast<uint32_t>(strings.size());
      AppendText(strings, name);
      strings.push_back(0);
      if (section) {
        std::string text = "/" + std::to_string(offset);
        std::copy(text.begin(), text.end(), field.begin());
      } else {
        PutU32(field, 4, offset);
      }
    }
    AppendBytes(out, field);
  };
  uint32_t symbolCount = 0;
  for (const TestSymbol& s : symbols_) symbolCount += 1 + static_cast<uint32_t>(s.aux.size());

  // Layout: header, section table, contents and relocations, symbols, strings.
  uint32_t at = kCoffHeaderSize + kSectionHeaderSize * static_cast<uint32_t>(sections_.size());
  std::vector<uint32_t> contentAt, relocationAt;
  for (const TestSection& s : sections_) {
    bool bss = (s.characteristics & kScnCntUninitializedData) != 0;
    contentAt.push_back(bss ? 0 : at);
    if (!bss) at += static_cast<uint32_t>(s.contents.size());
    relocationAt.push_back(s.relocations.empty() ? 0 : at);
    at += kRelocationSize * static_cast<uint32_t>(s.relocations.size());
  }
  uint32_t symbolTable = at;

  Bytes out;
  AppendU16(out, machine_ == Machine::Amd64 ? kMachineAmd64 : kMachineI386);
  AppendU16(out, static_cast<uint16_t>(sections_.size()));
  AppendU32(out, 0);
  AppendU32(out, symbolTable);
  AppendU32(out, symbolCount);
  AppendU16(out, 0);
  AppendU16(out, 0);
  for (size_t i = 0; i < sections_.size(); ++i) {
    const TestSection& s = sections_[i];
    name8(out, s.name, true);
    AppendU32(out, 0);
    AppendU32(out, 0);
    AppendU32(out, s.size);
    AppendU32(out, contentAt[i]);
    AppendU32(out, relocationAt[i]);
    AppendU32(out, 0);
    AppendU16(out, static_cast<uint16_t>(s.relocations.size()));
    AppendU16(out, 0);
    AppendU32(out, s.characteristics);
  }
  for (const TestSection& s : sections_) {
    if ((s.characteristics & kScnCntUninitializedData) == 0) AppendBytes(out, s.contents);
    for (const TestRelocation& r : s.relocations) {
      AppendU32(out, r.offset);
      AppendU32(out, r.symbol);
      AppendU16(out, r.type);
    }
  }
  for (const TestSymbol& s : symbols_) {
    name8(out, s.name, false);
    AppendU32(out, s.value);
    AppendU16(out, static_cast<uint16_t>(s.section));
    AppendU16(out, 0);
    AppendU8(out, s.storageClass);
    AppendU8(out, static_cast<uint8_t>(s.aux.size()));
    for (const Bytes& aux : s.aux) AppendBytes(out, aux);
  }
  PutU32(strings, 0, static_cast<uint32_t>(strings.size()));
  AppendBytes(out, strings);
  return out;
}

CoffObject CoffWriter::Object(const std::string& name) const {
  Bytes bytes = Build();
  Diagnostics diagnostics;
  CoffObject object;
  EXPECT_TRUE(ReadCoffObject(name, bytes, object, diagnostics))
      << (diagnostics.HasErrors() ? diagnostics.Errors()[0] : std::string());
  return object;
}

Bytes StringRecord(Machine machine, const std::string& text, uint32_t encoding) {
  unsigned word = WordWidth(machine);
  Bytes out(StringHeaderSize(machine), 0);
  PutU32(out, 0, 1);
  PutU32(out, 2 * word, static_cast<uint32_t>(text.size() + 2));
  PutU32(out, 2 * word + 4, static_cast<uint32_t>(text.size()));
  PutU32(out, 2 * word + 8, encoding);
  out.push_back(static_cast<uint8_t>(std::min<size_t>(text.size(), 255)));
  AppendText(out, text);
  out.push_back(0);
  out.resize(AlignUp(out.size(), word), 0);
  return out;
}

}  // namespace qlimage::test
