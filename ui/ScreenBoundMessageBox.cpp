#include "ui/ScreenBoundMessageBox.h"

#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace ui {

void ScreenBoundMessageBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);  // Qt sizes the box here
    const QRect screenArea = screen()->availableGeometry();
    // The window manager's frame is not known before the box is mapped; a tenth of the screen
    // leaves room for any frame.
    const int widest = screenArea.width() * 9 / 10;
    if (width() <= widest) return;
    layout()->activate();
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(widest)
                                                     : layout()->totalMinimumSize().height();
    const int tallest = std::min(height, screenArea.height() * 9 / 10);
    setFixedSize(widest, tallest);
    move(screenArea.x() + (screenArea.width() - widest) / 2,
         std::max(screenArea.y(), std::min(y(), screenArea.bottom() - tallest)));
}

}  // namespace ui
