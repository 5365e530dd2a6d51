#include "app/instance_handover_win32.h"

#include <cstdint>
#include <string>

#include "app/antivirus_table.h"

namespace tarvex {

namespace {

// A request is a few paths; anything larger is not one of ours.
constexpr DWORD kLargestRequest = 64 * 1024;
// A first start that is still coming up publishes its window within this.
constexpr DWORD kWaitForWindowMs = 5000;
constexpr UINT kAnswerWithinMs = 10000;

std::wstring BlockName() {
  wchar_t user[257] = {};
  DWORD size = 257;
  if (!GetUserNameW(user, &size)) user[0] = L'\0';
  // "Local\": this logon session's objects only; the user's name keeps
  // another account started in the same session apart.
  return L"Local\\TarvexAV.MainWindow." + std::wstring(user);
}

bool IsMainWindow(HWND hwnd) {
  wchar_t name[64] = {};
  if (!IsWindow(hwnd) || !GetClassNameW(hwnd, name, 64)) return false;
  const std::string expected = kAntivirusWindow.className;
  return std::wstring(name) == std::wstring(expected.begin(), expected.end());
}

}  // namespace

RunningInstance::RunningInstance() {
  block_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::int64_t),
                              BlockName().c_str());
  if (!block_) return;  // nobody to hand over to: start as the first
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  view_ = MapViewOfFile(block_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(std::int64_t));
  if (!view_) {
    CloseHandle(block_);
    block_ = nullptr;
    return;
  }
  first_ = !existed;
}

RunningInstance::~RunningInstance() {
  if (view_) UnmapViewOfFile(view_);
  if (block_) CloseHandle(block_);
}

bool RunningInstance::HandOver(const StartRequest& request) {
  if (first_ || !view_) return false;
  auto* published = static_cast<volatile LONG64*>(view_);
  HWND main = nullptr;
  for (DWORD start = GetTickCount(); !main && GetTickCount() - start < kWaitForWindowMs; Sleep(50))
    main = reinterpret_cast<HWND>(static_cast<std::intptr_t>(InterlockedCompareExchange64(published, 0, 0)));
  // A window of an ended program, or a handle now used by another window, takes nothing.
  if (!main || !IsMainWindow(main)) return false;

  const std::string text = EncodeStartRequest(request);
  COPYDATASTRUCT data = {kHandOverTag, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
  DWORD_PTR accepted = FALSE;
  return SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kAnswerWithinMs, &accepted) != 0 &&
         accepted == TRUE;
}

void RunningInstance::Publish(HWND main) {
  if (!first_ || !view_) return;
  InterlockedExchange64(static_cast<volatile LONG64*>(view_), static_cast<LONG64>(reinterpret_cast<std::intptr_t>(main)));
}

std::optional<StartRequest> HandedOverRequest(LPARAM data) {
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(data);
  if (!copy || copy->dwData != kHandOverTag || copy->cbData > kLargestRequest) return std::nullopt;
  if (copy->cbData > 0 && !copy->lpData) return std::nullopt;
  return DecodeStartRequest(std::string(static_cast<const char*>(copy->lpData), copy->cbData));
}

}  // namespace tarvex
