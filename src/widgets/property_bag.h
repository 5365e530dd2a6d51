#pragma once
// The stored properties of one control in its window's layout: values under
// names that are compared without regard to case, as the layout files of the
// window designer treat them.
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "base/geometry.h"

namespace tarvex::widgets {

// A font as the layout stores it.
struct FontSpec {
  std::string face;
  int hundredthsOfPoint = 0;  // 825 is 8.25 pt
  bool bold = false;
  bool underline = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

using PropertyValue = std::variant<bool, std::string, ui::Colour, FontSpec>;

class PropertyBag {
 public:
  // The value stored under `name`, or `fallback` when there is none of that type.
  template <class T>
  T Read(std::string_view name, T fallback) const {
    const PropertyValue* v = Find(name);
    if (v && std::holds_alternative<T>(*v)) return std::get<T>(*v);
    return fallback;
  }
  // Stores a value, replacing one stored under the same name in any case.
  void Write(std::string_view name, PropertyValue value);
  bool Contains(std::string_view name) const { return Find(name) != nullptr; }
  std::size_t Size() const { return entries_.size(); }

 private:
  const PropertyValue* Find(std::string_view name) const;

  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace tarvex::widgets
