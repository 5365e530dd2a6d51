#include "signatures/shell_link.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "base/utf8.h"

namespace tarvex {

namespace {

// The header's LinkFlags: what follows the header, in this order.
constexpr std::uint32_t kHasTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kIsUnicode = 0x80;
// The string data, each present when its flag is: name, relative path,
// working folder, arguments, icon location.
constexpr std::array<std::uint32_t, 5> kStringFlags = {0x4, 0x8, 0x10, 0x20, 0x40};

constexpr std::uint32_t kHeaderSize = 0x4C;
// {00021401-0000-0000-C000-000000000046}, as stored.
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// The header's fields before the flags, and its attributes after them.
constexpr std::size_t kFlagsAt = 20;
constexpr std::size_t kAttributesAt = 24;

// The link info: the flag of its local path, and the header size from which
// it also holds the paths in UTF-16.
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kLinkInfoMinHeader = 0x1C;
constexpr std::uint32_t kLinkInfoUnicodeHeader = 0x24;

// The extra data's environment-variables block: its size and signature, and
// the two forms of its path.
constexpr std::uint32_t kEnvironmentBlock = 0xA0000001;
constexpr std::uint32_t kEnvironmentBlockSize = 0x314;
constexpr std::size_t kEnvironmentAnsi = 260;
constexpr std::size_t kEnvironmentUnicode = 520;
// A block size below this ends the extra data.
constexpr std::uint32_t kTerminalBelow = 4;

// The ID list's items that spell a path: "My Computer"
// {20D04FE0-3AEA-1069-A2D8-08002B30309D} as its root, a drive, then folders and files.
constexpr unsigned char kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                           0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr unsigned char kRootItem = 0x1F;
constexpr unsigned char kItemClassMask = 0x70;
constexpr unsigned char kDriveClass = 0x20;
constexpr unsigned char kFileEntryClass = 0x30;
constexpr unsigned char kUnicodeNameFlag = 0x04;
// A file entry: its short name's offset, and the extension block that holds the long name.
constexpr std::size_t kShortNameAt = 12;
constexpr std::uint32_t kFileEntryExtension = 0xBEEF0004;

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16; }

// Reads forward through bytes that may end anywhere; once a read runs past
// the end, every later read fails too.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return pos_ == bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - pos_; }
  std::uint16_t U16() { return Has(2) ? tarvex::U16(Take(2), 0) : 0; }
  std::uint32_t U32() { return Has(4) ? tarvex::U32(Take(4), 0) : 0; }
  std::string_view Take(std::size_t n) {
    if (!Has(n)) return {};
    std::string_view out = bytes_.substr(pos_, n);
    pos_ += n;
    return out;
  }
  void Fail() { ok_ = false; }

 private:
  bool Has(std::size_t n) {
    if (ok_ && n <= Left()) return true;
    ok_ = false;
    return false;
  }
  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

std::string FromAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return out;
}

std::string FromUtf16(std::string_view bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) units.push_back(static_cast<char16_t>(U16(bytes, i)));
  if (std::optional<std::string> text = sys::Utf16ToUtf8(units)) return *text;
  // A lone surrogate: no name on the disk is spelled so.
  for (char16_t& u : units) {
    if (u >= 0xD800 && u <= 0xDFFF) u = u'?';
  }
  return sys::Utf16ToUtf8(units).value_or("");
}

// The text up to the first NUL within `region` from `at`; no value when
// there is none there.
std::optional<std::string> AnsiAt(std::string_view region, std::size_t at) {
  if (at >= region.size()) return std::nullopt;
  const std::size_t end = region.find('\0', at);
  if (end == std::string_view::npos) return std::nullopt;
  return FromAnsi(region.substr(at, end - at));
}

// The offset of the UTF-16 NUL that ends the text at `at`.
std::optional<std::size_t> Utf16End(std::string_view region, std::size_t at) {
  for (std::size_t i = at; i + 1 < region.size(); i += 2) {
    if (U16(region, i) == 0) return i;
  }
  return std::nullopt;
}

std::optional<std::string> Utf16At(std::string_view region, std::size_t at) {
  const std::optional<std::size_t> end = Utf16End(region, at);
  if (!end) return std::nullopt;
  return FromUtf16(region.substr(at, *end - at));
}

// The long name of a file entry's extension block, which begins at a fixed
// place for each of its versions. Wine writes the first version's layout
// without its version and signature.
std::optional<std::string> LongName(std::string_view block) {
  const std::uint16_t version = U16(block, 2);
  const std::uint32_t signature = U32(block, 4);
  std::size_t at = 0;
  if (signature == kFileEntryExtension) {
    at = version >= 9 ? 46 : version == 8 ? 42 : version == 7 ? 38 : version >= 3 ? 20 : 0;
  } else if (version == 0 && signature == 0) {
    at = 20;
  }
  if (at == 0) return std::nullopt;
  return Utf16At(block, at);
}

// A folder or file of the ID list: its long name when an extension block
// holds one, its short name otherwise. The item ends in the offset of its
// extension block, which runs to the item's end.
std::optional<std::string> FileEntryName(std::string_view item) {
  if (item.size() <= kShortNameAt) return std::nullopt;
  const bool unicode = (item[0] & kUnicodeNameFlag) != 0;
  const std::optional<std::size_t> end =
      unicode ? Utf16End(item, kShortNameAt) : std::optional<std::size_t>(item.find('\0', kShortNameAt));
  if (!end || *end == std::string_view::npos) return std::nullopt;
  const std::string_view shortName = item.substr(kShortNameAt, *end - kShortNameAt);
  // The offset counts the item's size field, two bytes, which stands before `item`.
  const std::size_t back = U16(item, item.size() - 2);
  const std::size_t block = back >= 2 ? back - 2 : 0;
  if (block > *end && block < item.size() && item.size() - block >= 8 && U16(item, block) == item.size() - block) {
    std::optional<std::string> name = LongName(item.substr(block));
    if (name && !name->empty()) return name;
  }
  return unicode ? FromUtf16(shortName) : FromAnsi(shortName);
}

// The path the items spell, when they are My Computer, a drive, and folders
// and files below it; empty for anything else (a network place, a control
// panel item), of which the rest of the shortcut tells.
std::string SpelledPath(const std::vector<std::string_view>& items) {
  if (items.size() < 2) return "";
  const std::string_view root = items[0];
  if (root.size() < 18 || static_cast<unsigned char>(root[0]) != kRootItem ||
      std::memcmp(root.data() + 2, kMyComputer, sizeof kMyComputer) != 0)
    return "";
  const std::string_view drive = items[1];
  if ((drive[0] & kItemClassMask) != kDriveClass) return "";
  std::optional<std::string> path = AnsiAt(drive, 1);
  if (!path || path->size() < 2 || (*path)[1] != ':') return "";
  if (path->back() != '\\') *path += '\\';
  for (std::size_t i = 2; i < items.size(); ++i) {
    if ((items[i][0] & kItemClassMask) != kFileEntryClass) return "";
    std::optional<std::string> name = FileEntryName(items[i]);
    if (!name || name->empty()) return "";
    *path += *name;
    if (i + 1 < items.size()) *path += '\\';
  }
  return *path;
}

bool ReadIdList(Cursor& at, ShellLink& link) {
  const std::uint16_t size = at.U16();
  Cursor list(at.Take(size));
  std::vector<std::string_view> items;
  for (;;) {
    const std::uint16_t itemSize = list.U16();
    if (!list.ok()) return false;
    if (itemSize == 0) break;
    if (itemSize <= 2) return false;
    items.push_back(list.Take(itemSize - 2u));
  }
  if (!list.ok() || !at.ok()) return false;
  link.idListPath = SpelledPath(items);
  return true;
}

bool ReadLinkInfo(Cursor& at, ShellLink& link) {
  Cursor sizeField = at;
  const std::uint32_t size = sizeField.U32();
  if (!sizeField.ok() || size < kLinkInfoMinHeader) return false;
  const std::string_view info = at.Take(size);
  if (!at.ok()) return false;
  const std::uint32_t headerSize = U32(info, 4), flags = U32(info, 8);
  if (headerSize < kLinkInfoMinHeader || headerSize > size) return false;
  const bool unicode = headerSize >= kLinkInfoUnicodeHeader;
  std::optional<std::string> base, suffix;
  if (flags & kVolumeIdAndLocalBasePath) {
    base = unicode && U32(info, 28) ? Utf16At(info, U32(info, 28)) : AnsiAt(info, U32(info, 16));
    if (!base) return false;
    link.localBasePath = *base;
  }
  suffix = unicode && U32(info, 32) ? Utf16At(info, U32(info, 32)) : AnsiAt(info, U32(info, 24));
  // A link info without a local path may leave its suffix out.
  if (!suffix && base) return false;
  link.commonPathSuffix = suffix.value_or("");
  return true;
}

bool ReadStrings(Cursor& at, ShellLink& link) {
  const bool unicode = link.flags & kIsUnicode;
  std::string* const fields[] = {&link.name, &link.relativePath, &link.workingDir, &link.arguments, &link.iconLocation};
  for (std::size_t i = 0; i < kStringFlags.size(); ++i) {
    if (!(link.flags & kStringFlags[i])) continue;
    const std::uint16_t count = at.U16();
    const std::string_view text = at.Take(unicode ? count * std::size_t{2} : count);
    if (!at.ok()) return false;
    *fields[i] = unicode ? FromUtf16(text) : FromAnsi(text);
    // Counted, so needing no end; some writers (wine) count one NUL at the
    // end, which ends the text for the system as well.
    fields[i]->erase(std::min(fields[i]->find('\0'), fields[i]->size()));
  }
  return true;
}

// The extra data's blocks up to the terminal one. A shortcut that ends
// between two blocks lost only what it had to add; one that ends inside a
// block is damaged, unless the end is the read's own limit (`cut`).
bool ReadExtraData(Cursor& at, ShellLink& link, bool cut) {
  while (!at.AtEnd()) {
    if (at.Left() < 4) return cut;
    const std::uint32_t size = at.U32();
    if (size < kTerminalBelow) return true;
    if (size < 8 || size - 4 > at.Left()) return cut;
    const std::string_view block = at.Take(size - 4);
    if (U32(block, 0) == kEnvironmentBlock && size == kEnvironmentBlockSize) {
      const std::string_view ansi = block.substr(4, kEnvironmentAnsi);
      const std::string_view wide = block.substr(4 + kEnvironmentAnsi, kEnvironmentUnicode);
      std::optional<std::string> path = Utf16At(wide, 0);
      if (!path || path->empty()) path = AnsiAt(ansi, 0);
      if (!path) return false;
      link.environmentTarget = *path;
    }
  }
  return true;
}

std::optional<ShellLink> Read(std::string_view bytes) {
  const bool cut = bytes.size() > kShellLinkReadBytes;
  if (cut) bytes = bytes.substr(0, kShellLinkReadBytes);
  if (!LooksLikeShellLink(bytes) || bytes.size() < kHeaderSize) return std::nullopt;
  ShellLink link;
  link.flags = U32(bytes, kFlagsAt);
  link.targetAttributes = U32(bytes, kAttributesAt);
  Cursor at(bytes.substr(kHeaderSize));
  if ((link.flags & kHasTargetIdList) && !ReadIdList(at, link)) return std::nullopt;
  if ((link.flags & kHasLinkInfo) && !ReadLinkInfo(at, link)) return std::nullopt;
  if (!ReadStrings(at, link) || !ReadExtraData(at, link, cut)) return std::nullopt;
  return link;
}

}  // namespace

std::string ShellLink::TargetPath() const {
  if (!idListPath.empty()) return idListPath;
  if (!localBasePath.empty()) return localBasePath + commonPathSuffix;
  return environmentTarget;
}

bool LooksLikeShellLink(std::string_view bytes) {
  return bytes.size() >= kFlagsAt && U32(bytes, 0) == kHeaderSize &&
         std::memcmp(bytes.data() + 4, kLinkClsid, sizeof kLinkClsid) == 0;
}

std::optional<ShellLink> ReadShellLink(std::string_view bytes) noexcept {
  try {
    return Read(bytes);
  } catch (...) {
    // Only memory can run out here: a shortcut that cannot be read is none.
    return std::nullopt;
  }
}

}  // namespace tarvex
