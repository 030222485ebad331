#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "rules/BalanceCourse.h"

class QLabel;

namespace ui {

class CoursePlot;

// "Verlauf": the balance of the simulated draws as a picture, with the totals in one line
// above it and the highest and the lowest balance in one line below. It stays open beside the
// main window, which has it follow the course after every command.
class CourseWindow final : public QWidget {
    Q_OBJECT

  public:
    CourseWindow(const rules::BalanceCourse& course, const std::string& decimalSeparator,
                 QWidget* owner);

    // Shows the course as it is now, where it changed since it was last shown.
    void Follow();
    // Moves the window beside `main`, on a side with room, so that neither hides the other.
    void PlaceBeside(const QWidget& main);

    QLabel* TotalsLine() const { return mTotalsLine; }
    QLabel* ExtremesLine() const { return mExtremesLine; }
    CoursePlot* Plot() const { return mPlot; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const rules::BalanceCourse& mCourse;
    std::string mDecimalSeparator;
    QLabel* mTotalsLine;
    CoursePlot* mPlot;
    QLabel* mExtremesLine;
    std::uint64_t mShownRevision = 0;
};

}  // namespace ui
