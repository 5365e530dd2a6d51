// The file changes of the Windows build. A file is opened once, without
// following a link at its end, and checked on that handle: a disk file, with
// the identity the scan read, whose handle resolves to where the scan's did.
// Everything after goes through the same handle: the rename to a private name
// beside it or to its new place (SetFileInformationByHandle, FileRenameInfo),
// and the delete (FileDispositionInfo). What then holds the new name is checked
// again, and put back by name when it is not the file: a file renamed away by
// another program before this handle's rename cannot be taken for it, also
// under wine, whose handles keep the name they were opened by (and, renamed
// onto a link, the name of the link's target: nothing is ever renamed back
// through the handle).
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/scoped_win32.h"
#include "system/file_system.h"
#include "system/files.h"
#include "system/handle_facts_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

using ui::ScopedHandle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The longest path the system takes, in UTF-16 units.
constexpr std::size_t kLongestPath = 32767;

bool Missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }
bool Taken(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

// The system's words for an error, in one line.
std::string Words(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = n && text ? std::wstring(text, n) : L"";
  LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.')) words.pop_back();
  std::optional<std::string> utf8 = win32::Utf8(words);
  return utf8 && !utf8->empty() ? *utf8 : "system error " + std::to_string(error);
}

// An empty text for a path that is not UTF-8 or too long: every call on it fails.
std::wstring PathFor(const std::string& path) {
  std::optional<std::wstring> wide = win32::WidePath(path);
  return wide && wide->size() <= kLongestPath ? *wide : L"";
}

// The name a file has between its check and its change: no one else's.
std::string PrivateName() {
  static unsigned counter = 0;
  return ".tarvex-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
}

// The path as a rename through a handle takes it: the kernel's form.
std::wstring KernelPath(const std::string& path) {
  std::wstring wide = PathFor(path);
  if (wide.rfind(L"\\\\?\\", 0) != 0) {
    std::optional<std::wstring> full = win32::FullPath(wide);
    if (!full) return L"";
    wide = *full;
    wide = wide.rfind(L"\\\\", 0) == 0 ? L"\\??\\UNC\\" + wide.substr(2) : L"\\??\\" + wide;
    return wide;
  }
  return L"\\??\\" + wide.substr(4);
}

// Renames the handle's file, never over an existing name.
bool RenameThrough(HANDLE file, const std::string& to, DWORD& error) {
  const std::wstring target = KernelPath(to);
  if (target.empty()) {
    error = ERROR_FILENAME_EXCED_RANGE;
    return false;
  }
  const std::size_t bytes = target.size() * sizeof(wchar_t);
  std::string buffer(sizeof(FILE_RENAME_INFO) + bytes, '\0');
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(bytes);
  std::memcpy(info->FileName, target.data(), bytes);
  if (SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) return true;
  error = GetLastError();
  return false;
}

bool DeleteThrough(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// The identity of the file a path names now, none when it names a link.
std::optional<FileIdentity> IdentityNow(const std::string& path) {
  ScopedHandle file(CreateFileW(PathFor(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file ? win32::IdentityAt(file.get(), path) : std::nullopt;
}

class Win32Folder final : public OpenFolder {
 public:
  Win32Folder(ScopedHandle handle, std::string path) : handle_(std::move(handle)), path_(WithSeparator(std::move(path))) {}
  const std::string& Path() const override { return path_; }

 private:
  ScopedHandle handle_;  // opened without delete sharing: the folder cannot be renamed while it is held
  std::string path_;
};

class Win32CheckedFile final : public CheckedFile {
 public:
  Win32CheckedFile(ScopedHandle handle, std::string path, FileIdentity identity, DWORD attributes,
                   const std::function<void(ChangeStep)>& between)
      : handle_(std::move(handle)),
        path_(std::move(path)),
        identity_(std::move(identity)),
        attributes_(attributes),
        between_(between) {}

  std::uint32_t Attributes() const override { return attributes_; }

  bool ReadAll(const std::function<void(std::string_view)>& take) override {
    LARGE_INTEGER start{};
    bool read = SetFilePointerEx(handle_.get(), start, nullptr, FILE_BEGIN);
    std::string buffer(1 << 16, '\0');
    for (std::int64_t done = 0; read && done < identity_.size;) {
      DWORD got = 0;
      const auto ask = static_cast<DWORD>(std::min<std::int64_t>(identity_.size - done, buffer.size()));
      // Failed, or it shrank since its check.
      read = ReadFile(handle_.get(), buffer.data(), ask, &got, nullptr) && got > 0;
      if (read) take(std::string_view(buffer.data(), got));
      done += got;
    }
    if (!read) Fail();
    return read;
  }

  ChangeResult Remove() override {
    ClearAttributes();
    std::string aside;
    ChangeResult result = Aside(aside);
    if (result == ChangeResult::Done && !DeleteThrough(handle_.get())) {
      result = Fail();
      PutBack(aside);
    }
    if (result != ChangeResult::Done) KeepAttributes();
    return result;
  }

  ChangeResult MoveInto(OpenFolder& into, const std::string& name, std::uint32_t attributes) override {
    if (!Holds(path_, identity_.finalPath)) return ChangeResult::Changed;
    ClearAttributes();
    const std::string target = into.Path() + name;
    DWORD error = 0;
    if (RenameThrough(handle_.get(), target, error)) {
      between_(ChangeStep::Renamed);
      if (Holds(target)) {
        SetAttributes(handle_.get(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
        return ChangeResult::Done;
      }
      PutBack(target);
      KeepAttributes();
      return ChangeResult::Changed;
    }
    if (error == ERROR_NOT_SAME_DEVICE) return CopyInto(target, attributes);
    KeepAttributes();
    if (Taken(error)) return ChangeResult::TargetExists;
    return Fail(error);
  }

  const std::string& Reason() const override { return reason_; }

 private:
  ChangeResult Fail(DWORD error = GetLastError()) {
    reason_ = Words(error);
    return ChangeResult::Failed;
  }

  static void SetAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO basic{};  // times of 0 are left as they are
    basic.FileAttributes = attributes;
    SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
  }
  // A read-only file cannot be deleted; the bits are back when nothing was done.
  void ClearAttributes() {
    if (attributes_ & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
      SetAttributes(handle_.get(), FILE_ATTRIBUTE_NORMAL);
  }
  void KeepAttributes() {
    if (attributes_ & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
      SetAttributes(handle_.get(), attributes_);
  }

  // What the name `path` leads to is the file this handle holds, no link at
  // its name, and lying at `final` when that is known: a folder on the way
  // swapped for a link tells. The handle's own identity is asked anew: wine
  // tells its volumes by their drive letters, and a rename between two drives
  // over one host folder tree succeeds there and gives the same file the other
  // drive's volume.
  bool Holds(const std::string& path, const std::string& final = "") const {
    const std::optional<FileIdentity> now = IdentityNow(path), held = win32::IdentityOf(handle_.get());
    return now && held && now->SameFile(*held) && held->index == identity_.index && held->size == identity_.size &&
           held->lastWrite == identity_.lastWrite && (final.empty() || win32::SamePath(now->finalPath, final));
  }
  // Where the file's name, or another name beside it, lies: empty when unknown.
  std::string FinalBeside(const std::string& name) const {
    return identity_.finalPath.empty() ? "" : FolderOf(identity_.finalPath) + name;
  }

  // The file goes to a private name beside it, and is deleted there only when
  // that name holds it; otherwise the name is given back. Only while the name
  // still leads to the file itself is it renamed at all: wine renames through
  // the handle what its name holds now.
  ChangeResult Aside(std::string& aside) {
    if (!Holds(path_, identity_.finalPath)) return ChangeResult::Changed;
    const std::string name = PrivateName();
    aside = FolderOf(path_) + name;
    DWORD error = 0;
    if (!RenameThrough(handle_.get(), aside, error)) return Missing(error) ? ChangeResult::Gone : Fail(error);
    between_(ChangeStep::Renamed);
    if (Holds(aside, FinalBeside(name))) return ChangeResult::Done;
    PutBack(aside);
    return ChangeResult::Changed;
  }

  // Whatever the rename took to `from` goes back to the file's name, by name;
  // a link stays where it went, for wine would move the file it leads to.
  void PutBack(const std::string& from) const {
    ScopedHandle there(CreateFileW(PathFor(from).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const bool link = !there || !win32::IdentityAt(there.get(), from);
    there.reset();
    if (!link) MoveFileExW(PathFor(from).c_str(), PathFor(path_).c_str(), 0);
  }

  // Across volumes: a copy of what this handle reads under a free name, with
  // the file's times, flushed; then the original deleted as Remove does, or
  // the copy goes again.
  ChangeResult CopyInto(const std::string& target, std::uint32_t attributes) {
    ScopedHandle copy(CreateFileW(PathFor(target).c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES | DELETE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy) {
      const DWORD error = GetLastError();
      KeepAttributes();
      return Taken(error) ? ChangeResult::TargetExists : Fail(error);
    }
    FILE_BASIC_INFO times{};
    bool copied = Copy(copy.get()) && GetFileInformationByHandleEx(handle_.get(), FileBasicInfo, &times, sizeof times);
    if (copied) {
      times.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
      copied = SetFileInformationByHandle(copy.get(), FileBasicInfo, &times, sizeof times) && FlushFileBuffers(copy.get());
    }
    ChangeResult result = copied ? ChangeResult::Done : Fail();
    if (copied) {
      between_(ChangeStep::Copied);
      result = Remove();
    }
    if (result != ChangeResult::Done) {
      DeleteThrough(copy.get());
      KeepAttributes();
    }
    return result;
  }

  bool Copy(HANDLE out) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle_.get(), start, nullptr, FILE_BEGIN)) return false;
    std::string buffer(1 << 16, '\0');
    for (;;) {
      DWORD got = 0, written = 0;
      if (!ReadFile(handle_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
      if (got == 0) return true;
      if (!WriteFile(out, buffer.data(), got, &written, nullptr) || written != got) return false;
    }
  }

  ScopedHandle handle_;
  std::string path_;
  FileIdentity identity_;
  DWORD attributes_;
  const std::function<void(ChangeStep)>& between_;
  std::string reason_;
};

// A folder of the way to `path`, one name at a time from its drive or share.
ReachedFolder ReachWithoutLinks(const std::string& path) {
  const std::optional<std::wstring> given = win32::Wide(path);
  const std::optional<std::wstring> full = given ? win32::FullPath(*given) : std::nullopt;
  if (!full || full->size() > kLongestPath) return {ReachedFolder::Kind::Failed, nullptr, path + ": longer than the system takes"};
  const std::string whole = win32::ReportedPath(*full).value_or(path);
  // The drive "C:\" or the share "\\host\share\" is where the way starts.
  std::size_t at = whole.size() >= 3 && whole[1] == ':' ? 3 : whole.find('\\', whole.find('\\', 2) + 1) + 1;
  if (at == 0 || at > whole.size()) at = whole.size();
  while (at < whole.size()) {
    const std::size_t end = std::min(whole.find('\\', at), whole.size());
    const std::string folder = whole.substr(0, end);
    at = end + 1;
    const std::wstring wide = PathFor(folder);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && Missing(GetLastError())) {
      if (!CreateDirectoryW(wide.c_str(), nullptr) && !Taken(GetLastError()))
        return {ReachedFolder::Kind::Failed, nullptr, folder + ": " + Words(GetLastError())};
      attributes = GetFileAttributesW(wide.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES)
      return {ReachedFolder::Kind::Failed, nullptr, folder + ": " + Words(GetLastError())};
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return {ReachedFolder::Kind::Link, nullptr, folder + ": a link"};
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {ReachedFolder::Kind::Failed, nullptr, folder + ": no folder"};
  }
  ScopedHandle folder(CreateFileW(PathFor(whole).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!folder) return {ReachedFolder::Kind::Failed, nullptr, whole + ": " + Words(GetLastError())};
  const std::optional<win32::HandleFacts> facts = win32::FactsOf(folder.get());
  if (!facts || (facts->attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return {ReachedFolder::Kind::Link, nullptr, whole + ": a link"};
  return {ReachedFolder::Kind::Ready, std::make_unique<Win32Folder>(std::move(folder), whole), ""};
}

// A handle on an ordinary file at `path`, its name not followed when it is a link; no handle for anything else.
ScopedHandle OpenRegular(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD& error) {
  ScopedHandle file(CreateFileW(PathFor(path).c_str(), access | FILE_READ_ATTRIBUTES, share, nullptr, disposition,
                                FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  error = file ? ERROR_SUCCESS : GetLastError();
  if (file && !win32::IdentityAt(file.get(), path)) {
    file.reset();
    error = ERROR_INVALID_FUNCTION;
  }
  return file;
}

class Win32FileSystem final : public FileSystem {
 public:
  explicit Win32FileSystem(std::function<void(ChangeStep)> between) : between_(std::move(between)) {
    if (!between_) between_ = [](ChangeStep) {};
  }

  std::optional<FileIdentity> Identify(const std::string& path) override {
    ScopedHandle file(CreateFileW(PathFor(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file ? win32::IdentityAt(file.get(), path) : std::nullopt;
  }

  CheckedOpen OpenChecked(const std::string& path, const FileIdentity& identity) override {
    const std::wstring wide = PathFor(path);
    constexpr DWORD kAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
    constexpr DWORD kFlags = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
    ScopedHandle file(CreateFileW(wide.c_str(), kAccess | GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, kFlags, nullptr));
    // Readable or not, a file can be deleted: its facts are all the check needs.
    if (!file && GetLastError() == ERROR_ACCESS_DENIED)
      file.reset(CreateFileW(wide.c_str(), kAccess, kShareAll, nullptr, OPEN_EXISTING, kFlags, nullptr));
    if (!file) {
      const DWORD error = GetLastError();
      return {Missing(error) ? ChangeResult::Gone : ChangeResult::Failed, nullptr, Words(error)};
    }
    const std::optional<FileIdentity> now = win32::IdentityOf(file.get());
    const std::optional<win32::HandleFacts> facts = win32::FactsOf(file.get());
    if (!now || !facts || !now->SameFile(identity) ||
        (!identity.finalPath.empty() && !win32::SamePath(now->finalPath, identity.finalPath)))
      return {ChangeResult::Changed, nullptr, ""};
    auto checked = std::make_unique<Win32CheckedFile>(std::move(file), path, *now, facts->attributes, between_);
    between_(ChangeStep::Opened);
    return {ChangeResult::Done, std::move(checked), ""};
  }

  ReachedFolder ReachFolder(const std::string& path, FolderWay way) override {
    if (way == FolderWay::NoLinks) return ReachWithoutLinks(path);
    ScopedHandle folder(CreateFileW(PathFor(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return {ReachedFolder::Kind::Failed, nullptr, path + ": " + Words(GetLastError())};
    return {ReachedFolder::Kind::Ready, std::make_unique<Win32Folder>(std::move(folder), path), ""};
  }

  bool MakeFolder(const std::string& path) override {
    const std::wstring folder = PathFor(path);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    DWORD a = GetFileAttributesW(folder.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool AppendText(const std::string& path, const std::string& text, bool ownLine) override {
    DWORD error = 0;
    ScopedHandle file = OpenRegular(path, GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    OPEN_ALWAYS, error);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return false;
    char last = '\n';
    // Only the last byte tells: a file of thousands of lines is appended to as fast as an empty one.
    if (ownLine && size.QuadPart > 0) {
      LARGE_INTEGER at{};
      at.QuadPart = size.QuadPart - 1;
      DWORD got = 0;
      if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) || !ReadFile(file.get(), &last, 1, &got, nullptr) ||
          got != 1)
        return false;
    }
    const std::string whole = last == '\n' ? text : "\r\n" + text;
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr);
    return ok && written == whole.size() && FlushFileBuffers(file.get());
  }

  TextRead ReadText(const std::string& path, std::size_t limit) override {
    DWORD error = 0;
    ScopedHandle file = OpenRegular(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, error);
    if (!file) {
      return {Missing(error) ? TextRead::Kind::Missing
              : error == ERROR_INVALID_FUNCTION ? TextRead::Kind::NotRegular
                                                : TextRead::Kind::Failed, {}};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return {TextRead::Kind::Failed, {}};
    if (static_cast<std::uint64_t>(size.QuadPart) > limit) return {TextRead::Kind::TooLarge, {}};
    std::string out(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    for (std::size_t done = 0; done < out.size(); done += got) {
      if (!ReadFile(file.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &got, nullptr))
        return {TextRead::Kind::Failed, {}};
      if (got == 0) {
        out.resize(done);
        break;
      }
    }
    return {TextRead::Kind::Read, std::move(out)};
  }

  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    for (const DirEntry& e : ListDirectory(WithSeparator(folder), kAttrHidden | kAttrSystem)) {
      if ((e.attributes & (kAttrDirectory | kAttrReparsePoint)) == 0) names.push_back(e.name);
    }
    return names;
  }

  bool Gone(const std::string& path) override {
    std::optional<std::wstring> wide = win32::WidePath(path);
    if (!wide || GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    return Missing(GetLastError());
  }

 private:
  std::function<void(ChangeStep)> between_;
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem system(nullptr);
  return system;
}

std::unique_ptr<FileSystem> SystemFileSystemWithSeam(std::function<void(ChangeStep)> between) {
  return std::make_unique<Win32FileSystem>(std::move(between));
}

}  // namespace tarvex::sys
