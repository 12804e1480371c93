// text/text_list.h
//
// TextList: an ordered list of Text with positions 1 to Size().
// Example: SplitText("a;;b", ";").Item(2) == ""
#pragma once

#include <string_view>
#include <vector>

#include "text/types.h"

namespace gavrel {

class TextList {
 public:
  TextList() = default;

  [[nodiscard]] Pos Size() const { return static_cast<Pos>(items_.size()); }
  // The element at position i (1 to Size()); the empty text outside that range.
  [[nodiscard]] Text Item(Pos i) const;
  // Adds a copy of text at the end.
  void Append(std::string_view text);

  [[nodiscard]] const std::vector<Text>& Items() const { return items_; }
  friend bool operator==(const TextList&, const TextList&) = default;

 private:
  std::vector<Text> items_;
};

}  // namespace gavrel
