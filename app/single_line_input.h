// app/single_line_input.h
//
// What the user may put into a single-line edit box: one line. Text pasted,
// dropped or composed into the box is cut at its first line break (CR or
// LF), as a single-line edit control does, so a link copied together with
// its line end arrives as the link alone; what stood after the caret stays.
// Texts the program sets with SetWidgetText are not touched.
// Example: box->setValidator(new SingleLineInput(box));
//          paste "https://a/b\r\nmore" into "" -> "https://a/b"
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace gavrel {

class SingleLineInput final : public QValidator {
 public:
  // Follows box's text from now on; owned by box.
  explicit SingleLineInput(QLineEdit* box);

  // Always acceptable. The text a change inserted (from where the new text
  // first differs from the old one up to the caret) loses its first line
  // break and everything after that break; the caret goes to the cut. Line
  // breaks the box held before are kept.
  State validate(QString& input, int& pos) const override;

 private:
  QString previous_;  // the box's text before the change being validated
};

}  // namespace gavrel
