#include "remedy/quarantine_manifest.h"

#include <charconv>

#include "base/utf8.h"

namespace tarvex {

namespace {

constexpr std::string_view kQuarantinedWord = "karantina";
constexpr std::string_view kRestoredWord = "pulihkan";
constexpr char kHex[] = "0123456789ABCDEF";

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <class Number>
bool ParseNumber(std::string_view text, Number& out, int base = 10) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out, base);
  return !text.empty() && ec == std::errc() && ptr == end;
}

bool ParseLine(std::string_view line, ManifestRecord& record) {
  const std::vector<std::string_view> f = Fields(line);
  if (f.size() != 8 && f.size() != 9) return false;
  if (f[0] == kQuarantinedWord) {
    record.kind = ManifestRecord::Kind::Quarantined;
  } else if (f[0] == kRestoredWord) {
    record.kind = ManifestRecord::Kind::Restored;
  } else {
    return false;
  }
  record.time = UnescapeField(f[1]);
  record.original = UnescapeField(f[2]);
  record.name = UnescapeField(f[3]);
  record.virus = UnescapeField(f[4]);
  record.checksum = UnescapeField(f[6]);
  if (f.size() == 9) record.sha256 = UnescapeField(f[8]);
  return !record.original.empty() && !record.name.empty() && ParseNumber(f[5], record.size) && record.size >= 0 &&
         ParseNumber(f[7], record.attributes, 16);
}

}  // namespace

std::string EscapeField(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x20 || c == '%' ? 0 : sys::SequenceLength(text, i);
    if (length == 0) {
      out += {'%', kHex[c >> 4], kHex[c & 15]};
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::string UnescapeField(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned value = 0;
    if (text[i] == '%' && i + 2 < text.size() && ParseNumber(text.substr(i + 1, 2), value, 16)) {
      out += static_cast<char>(value);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ManifestLine(const ManifestRecord& r) {
  char attributes[9];
  auto [end, ec] = std::to_chars(attributes, attributes + sizeof attributes, r.attributes, 16);
  const std::string_view word = r.kind == ManifestRecord::Kind::Quarantined ? kQuarantinedWord : kRestoredWord;
  return std::string(word) + '\t' + EscapeField(r.time) + '\t' + EscapeField(r.original) + '\t' +
         EscapeField(r.name) + '\t' + EscapeField(r.virus) + '\t' + std::to_string(r.size) + '\t' +
         EscapeField(r.checksum) + '\t' + std::string(attributes, end) + '\t' + EscapeField(r.sha256) + "\r\n";
}

std::vector<ManifestRecord> ParseManifest(std::string_view text) {
  std::vector<ManifestRecord> records;
  int quarantined = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // Numbered by the word alone, so that a damaged line still holds its number.
    const bool numbered = line.starts_with(std::string(kQuarantinedWord) + '\t');
    if (numbered) ++quarantined;
    ManifestRecord record;
    if (!ParseLine(line, record)) continue;
    if (record.kind == ManifestRecord::Kind::Quarantined) record.id = quarantined;
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace tarvex
