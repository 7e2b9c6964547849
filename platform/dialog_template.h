// The description of a dialog template that a host without windows builds its controls from:
// what the resource script says about each template (caption, size, font, and each control's
// kind, id, text and place in dialog units), in the script's order.
#ifndef CIRVANE_PLATFORM_DIALOG_TEMPLATE_H_
#define CIRVANE_PLATFORM_DIALOG_TEMPLATE_H_

#include <vector>

namespace platform {

enum class ControlKind {
  kDefPushButton,    // default push button
  kPushButton,       // push button
  kEdit,             // single-line edit
  kMultiLineEdit,    // multi-line edit
  kStaticLeft,       // left-aligned static text
  kStaticCentre,     // centred static text
  kAutoRadioButton,  // automatic radio button; neighbours in template order form one group
};

struct SControlTemplate {
  int id;  // kIdNone for a static that is never addressed
  ControlKind kind;
  const char* text;
  int x, y, width, height;
};

struct SDialogTemplate {
  int id;
  const char* caption;
  int width, height;
  const char* fontFace;
  int fontPointSize;
  std::vector<SControlTemplate> controls;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_DIALOG_TEMPLATE_H_
