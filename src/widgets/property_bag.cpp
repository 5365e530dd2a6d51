#include "widgets/property_bag.h"

#include <algorithm>
#include <cctype>

namespace tarvex::widgets {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

void PropertyBag::Write(std::string_view name, PropertyValue value) {
  for (auto& [stored, v] : entries_) {
    if (SameName(stored, name)) {
      v = std::move(value);
      return;
    }
  }
  entries_.emplace_back(std::string(name), std::move(value));
}

const PropertyValue* PropertyBag::Find(std::string_view name) const {
  for (const auto& [stored, v] : entries_)
    if (SameName(stored, name)) return &v;
  return nullptr;
}

}  // namespace tarvex::widgets
