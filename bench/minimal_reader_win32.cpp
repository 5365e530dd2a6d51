// The least a Windows scanner of a tree must do: list the tree twice (a
// count, then the files to read) and read every file once, in 1 MB blocks.
// The benchmark measures the real scans against this floor.
//   minimal_reader.exe FOLDER   prints: files, bytes, seconds
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> block(1 << 20);
std::uint64_t files = 0;
std::uint64_t bytes = 0;

void ReadWhole(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD got = 0;
  while (ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got > 0) bytes += got;
  CloseHandle(h);
}

void Walk(const std::wstring& folder, bool read) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> subfolders;
  do {
    const std::wstring name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != L"." && name != L".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        subfolders.push_back(name);
    } else {
      ++files;
      if (read) ReadWhole(folder + L"\\" + name);
    }
  } while (FindNextFileW(h, &data));
  FindClose(h);
  for (const std::wstring& name : subfolders) Walk(folder + L"\\" + name, read);
}

}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 2) {
    std::fprintf(stderr, "usage: minimal_reader FOLDER\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  std::wstring root = argv[1];
  while (!root.empty() && (root.back() == L'\\' || root.back() == L'/')) root.pop_back();
  Walk(root, false);
  const std::uint64_t counted = files;
  files = 0;
  Walk(root, true);
  QueryPerformanceCounter(&end);
  std::printf("files %llu (counted %llu), bytes %llu, seconds %.3f\n", static_cast<unsigned long long>(files),
              static_cast<unsigned long long>(counted), static_cast<unsigned long long>(bytes),
              static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  return 0;
}
