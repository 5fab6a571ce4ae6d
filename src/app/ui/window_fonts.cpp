#include "app/ui/window_fonts.h"

#include <QFont>
#include <QWidget>

#include "app/environment.h"

namespace {

template <typename Rule>
void Apply(QWidget& widget, Rule rule) {
  QFont font = widget.font();
  TFontSpec face{AnsiCharset, font.family().toStdString(), font.pointSize()};
  rule(face);
  font.setFamilies({QString::fromStdString(face.Name)});
  if (face.Size > 0) font.setPointSize(face.Size);
  widget.setFont(font);
}

}  // namespace

void ApplyUIFont(QWidget& widget) {
  Apply(widget, [](TFontSpec& face) { SetUIFont(face); });
}

void ApplyTextFont(QWidget& widget) {
  Apply(widget, [](TFontSpec& face) { SetTextFont(face); });
}
