#pragma once
// Applies the probes' base font rules to a Qt window or text box.
class QWidget;

void ApplyUIFont(QWidget& widget);
void ApplyTextFont(QWidget& widget);
