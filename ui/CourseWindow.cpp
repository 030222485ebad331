#include "ui/CourseWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/CoursePlot.h"

namespace ui {
namespace {

QLabel* LineOfText(QWidget* parent) {
    auto* line = new QLabel(parent);
    line->setTextFormat(Qt::PlainText);
    line->setWordWrap(true);  // a narrow window keeps every word
    // Tab reaches it, so that a screen reader reads it, and its numbers can be copied.
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    line->setFocusPolicy(Qt::StrongFocus);
    return line;
}

}  // namespace

CourseWindow::CourseWindow(const rules::BalanceCourse& course, const std::string& decimalSeparator,
                           QWidget* owner)
    : QWidget(owner, Qt::Window),
      mCourse(course),
      mDecimalSeparator(decimalSeparator),
      mTotalsLine(LineOfText(this)),
      mPlot(new CoursePlot(course, decimalSeparator, this)),
      mExtremesLine(LineOfText(this)) {
    setAttribute(Qt::WA_WindowPropagation);  // the main window's font and locale
    setWindowTitle(QStringLiteral("Verlauf – Varedadav 6 aus 49"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mTotalsLine);
    layout->addWidget(mPlot, 1);
    layout->addWidget(mExtremesLine);
    resize(640, 420);
    setTabOrder(mTotalsLine, mPlot);
    setTabOrder(mPlot, mExtremesLine);
    mPlot->setFocus();  // where the window opens: its description says the course
    mShownRevision = mCourse.Revision() + 1;  // never shown yet
    Follow();
}

void CourseWindow::Follow() {
    if (mCourse.Revision() == mShownRevision) return;
    mShownRevision = mCourse.Revision();
    const bool drawn = mCourse.Draws() > 0;
    mTotalsLine->setVisible(drawn);
    mExtremesLine->setVisible(drawn);
    if (drawn) {
        mTotalsLine->setText(
            QString::fromStdString(rules::CourseTotalsLine(mCourse, mDecimalSeparator)));
        mExtremesLine->setText(
            QString::fromStdString(rules::CourseExtremesLine(mCourse, mDecimalSeparator)));
    }
    mPlot->Follow();
}

void CourseWindow::PlaceBeside(const QWidget& main) {
    const QRect taken = main.frameGeometry();
    const QRect screenArea = main.screen()->availableGeometry();
    const QSize framed = size() + QSize(16, 40);  // a frame's size before the first show
    for (const QPoint at : {QPoint(taken.right() + 8, taken.top()),
                            QPoint(taken.left() - 8 - framed.width(), taken.top()),
                            QPoint(taken.left(), taken.bottom() + 8),
                            QPoint(taken.left(), taken.top() - 8 - framed.height())}) {
        if (screenArea.contains(QRect(at, framed))) {
            move(at);
            return;
        }
    }
}

void CourseWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace ui
