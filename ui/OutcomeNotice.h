#pragma once

#include <QWidget>

namespace ui {

// Where a screen reader hears the outcome of a command without the focus moving: an object of
// the notification role that shows itself anew for every outcome. Orca speaks a notification
// as it appears (and keeps it in its list of notifications); the change of a control's name
// would also repeat the name when it is set back, and Qt 6.4 sends a changed description in a
// form Orca 43 cannot read. It has no size and takes no focus: the eye sees nothing of it.
class OutcomeNotice final : public QWidget {
    Q_OBJECT

  public:
    explicit OutcomeNotice(QWidget* parent);

    void Say(const QString& outcome);
};

}  // namespace ui
