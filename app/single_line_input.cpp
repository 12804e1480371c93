#include "app/single_line_input.h"

#include <algorithm>

#include <QLineEdit>

namespace gavrel {

SingleLineInput::SingleLineInput(QLineEdit* box) : QValidator(box), previous_(box->text()) {
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { previous_ = text; });
}

QValidator::State SingleLineInput::validate(QString& input, int& pos) const {
  const qsizetype size = input.size();
  if (pos < 0 || pos > size) return Acceptable;
  // After an insertion the caret stands at its end, and what follows the
  // caret is the old text after it; the inserted text starts where the new
  // text first differs from the old one.
  const qsizetype kept = size - pos;
  const qsizetype limit = std::max<qsizetype>(0, std::min<qsizetype>(pos, previous_.size() - kept));
  qsizetype start = 0;
  while (start < limit && input.at(start) == previous_.at(start)) ++start;

  for (qsizetype i = start; i < pos; ++i) {
    const QChar c = input.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      input.remove(i, pos - i);
      pos = static_cast<int>(i);
      break;
    }
  }
  return Acceptable;
}

}  // namespace gavrel
