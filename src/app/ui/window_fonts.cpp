#include "app/ui/window_fonts.h"

#include <QFont>
#include <QWidget>

#include "app/environment.h"

namespace {

template <typename Rule>
void Apply(QWidget& widget, Rule rule) {
  QFont font = widget.font();
  TFontSpec spec{AnsiCharset, font.family().toStdString(), font.pointSize()};
  rule(spec);
  font.setFamilies({QString::fromStdString(spec.Name)});
  if (spec.Size > 0) font.setPointSize(spec.Size);
  widget.setFont(font);
}

}  // namespace

void ApplyUIFont(QWidget& widget) {
  Apply(widget, [](TFontSpec& spec) { SetUIFont(spec); });
}

void ApplyTextFont(QWidget& widget) {
  Apply(widget, [](TFontSpec& spec) { SetTextFont(spec); });
}
