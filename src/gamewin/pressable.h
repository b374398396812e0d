#pragma once
// Pictures that act as buttons (the setup window's music button and token pictures) are
// buttons to screen readers too: markPressable gives such a widget a Czech name and the
// button role, and a reader's "press" reaches it as the Space key, which the widget handles
// as a click.

#include <QString>

class QWidget;

namespace tomelin {

void markPressable(QWidget& widget, const QString& name);

}  // namespace tomelin
