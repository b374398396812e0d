#include "setupwin/title_room.h"

#include <QApplication>
#include <QFontMetrics>

namespace tomelin {

namespace {
// An icon and three buttons of about 22 pixels each, with the frame's own padding.
constexpr int kTitleButtonsRoom = 120;
}  // namespace

int titleRoom(const QString& title) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleButtonsRoom;
}

}  // namespace tomelin
