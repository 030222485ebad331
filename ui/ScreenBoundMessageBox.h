#pragma once

#include <QMessageBox>

namespace ui {

// A message box that stays within its screen. Qt lets a box whose text holds a very long word
// (a deep path) grow as wide as a screen of up to 1024 pixels, the window frame not counted, and
// then wraps the text anywhere; this one is narrowed to fit, frame and all, once Qt has laid it
// out.
class ScreenBoundMessageBox final : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace ui
