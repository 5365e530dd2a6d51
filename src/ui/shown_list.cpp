#include "ui/shown_list.h"

#include <algorithm>

namespace tarvex::ui {

ListEdit ShownList::CatchUp(std::size_t unchanged, std::size_t wanted) {
  const ListEdit edit{std::min({unchanged, shown_, wanted}), shown_, wanted};
  shown_ = wanted;
  return edit;
}

}  // namespace tarvex::ui
