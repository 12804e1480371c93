#include "text/text_list.h"

namespace gavrel {

Text TextList::Item(Pos i) const {
  if (i < 1 || i > Size()) return {};
  return items_[static_cast<std::size_t>(i - 1)];
}

void TextList::Append(std::string_view text) { items_.emplace_back(text); }

}  // namespace gavrel
