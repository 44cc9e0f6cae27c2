#include "resources/language_pack.h"

#include <array>
#include <cstdio>
#include <vector>

#include "resources/ini_text.h"
#include "resources/resources.h"
#include "resources/utf16.h"

namespace zelko {
namespace {

constexpr char16_t kQuote = u'"';
constexpr int kFirstSearchedId = 100;
constexpr int kLastSearchedId = 700;

bool IsEntryBreak(char16_t unit) { return unit <= u' '; }

std::u16string DecodeUtf16Le(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) bytes = bytes.subspan(2);
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return text;
}

// A quoted run starting at text[pos] (a quote); pos ends after the closing
// quote, or at the end when the run is not closed.
std::u16string TakeQuotedRun(std::u16string_view text, std::size_t& pos) {
  std::u16string run;
  ++pos;
  while (pos < text.size()) {
    if (text[pos] == kQuote) {
      if (pos + 1 < text.size() && text[pos + 1] == kQuote) {
        run.push_back(kQuote);
        pos += 2;
        continue;
      }
      ++pos;
      break;
    }
    run.push_back(text[pos++]);
  }
  return run;
}

std::vector<std::string> SplitEntries(std::u16string_view text) {
  std::vector<std::string> entries;
  std::size_t pos = 0;
  while (pos < text.size() && IsEntryBreak(text[pos])) ++pos;
  while (pos < text.size()) {
    if (text[pos] == kQuote) {
      entries.push_back(Utf16ToUtf8(TakeQuotedRun(text, pos)));
    } else {
      const std::size_t start = pos;
      while (pos < text.size() && !IsEntryBreak(text[pos])) ++pos;
      entries.push_back(Utf16ToUtf8(text.substr(start, pos - start)));
    }
    while (pos < text.size() && IsEntryBreak(text[pos])) ++pos;
  }
  return entries;
}

bool IsSectionLine(std::string_view entry) {
  return entry.size() >= 2 && entry.front() == '[' && entry.back() == ']';
}

std::string TextIdOf(int number) {
  std::array<char, 8> id{};
  std::snprintf(id.data(), id.size(), "Str%03d", number);
  return id.data();
}

}  // namespace

std::string LanguagePack::Text(std::string_view key) const {
  const auto it = texts_.find(FoldCase(key));
  return it == texts_.end() ? std::string() : it->second;
}

bool LanguagePack::Has(std::string_view key) const {
  return texts_.find(FoldCase(key)) != texts_.end();
}

void LanguagePack::Add(std::string_view key, std::string_view text) {
  texts_.emplace(FoldCase(key), std::string(text));
}

LanguagePack ParseLanguagePack(std::span<const std::uint8_t> bytes, std::string_view section) {
  const std::string wanted = FoldCase(section);
  LanguagePack pack;
  bool in_section = false;
  bool seen_section = false;
  for (const auto& entry : SplitEntries(DecodeUtf16Le(bytes))) {
    if (IsSectionLine(entry)) {
      seen_section = true;
      in_section =
          FoldCase(TrimBlanks(std::string_view(entry).substr(1, entry.size() - 2))) == wanted;
      continue;
    }
    if (!seen_section || !in_section || entry.front() == ';') continue;
    const auto equals = entry.find('=');
    if (equals == std::string::npos) continue;
    const auto key = TrimBlanks(std::string_view(entry).substr(0, equals));
    if (key.empty()) continue;
    pack.Add(key, TrimBlanks(std::string_view(entry).substr(equals + 1)));
  }
  return pack;
}

std::string LanguagePackName(int language_index) {
  return "lang" + std::to_string(language_index);
}

LanguagePack LoadLanguagePack(int language_index) {
  if (language_index < 1 || language_index > kLanguageCount) return {};
  const std::string name = LanguagePackName(language_index);
  const auto bytes = LookupResource(name);
  if (!bytes) return {};
  return ParseLanguagePack(*bytes, name);
}

namespace {

const std::array<LanguagePack, kLanguageCount>& ShippedPacks() {
  static const std::array<LanguagePack, kLanguageCount> packs = {
      LoadLanguagePack(1), LoadLanguagePack(2), LoadLanguagePack(3)};
  return packs;
}

}  // namespace

const LanguagePack& ShippedLanguagePack(int language_index) {
  static const LanguagePack empty;
  if (language_index < 1 || language_index > kLanguageCount) return empty;
  return ShippedPacks()[static_cast<std::size_t>(language_index - 1)];
}

std::string LangText(int language_index, std::string_view id) {
  return ShippedLanguagePack(language_index).Text(id);
}

std::string FindTextId(std::string_view text, std::span<const LanguagePack> packs) {
  std::string found;
  for (const auto& pack : packs) {
    for (int number = kFirstSearchedId; number <= kLastSearchedId; ++number) {
      const std::string id = TextIdOf(number);
      if (pack.Has(id) && pack.Text(id) == text) found = id;
    }
  }
  return found;
}

std::string FindTextId(std::string_view text) { return FindTextId(text, ShippedPacks()); }

}  // namespace zelko
