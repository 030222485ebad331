#pragma once

#include <QWidget>
#include <string>

class QPainter;

#include "rules/BalanceCourse.h"

namespace ui {

// The balance over the draws as a line: the x axis "Ziehungen" from 0 to the last draw, the y
// axis "Euro" over the lowest and the highest balance and zero. Every column of device pixels
// is drawn from the lowest to the highest balance of the draws it covers, so no draw's jump is
// lost, whatever the number of draws and the screen's scaling.
class CoursePlot final : public QWidget {
    Q_OBJECT

  public:
    CoursePlot(const rules::BalanceCourse& course, std::string decimalSeparator, QWidget* parent);

    // Takes the course as it is now: a screen reader's description of it and a new picture.
    void Follow();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PaintCourse(QPainter& painter) const;

    const rules::BalanceCourse& mCourse;
    std::string mDecimalSeparator;
};

}  // namespace ui
