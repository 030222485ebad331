#include "ui/CoursePlot.h"

#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/NumberText.h"

namespace ui {
namespace {

const QColor kLineColour(0, 0, 192);
const QColor kGridColour(215, 215, 215);

QAccessibleInterface* PictureFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(CoursePlot::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    }
    return nullptr;
}

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about `parts` parts.
double NiceStep(double span, int parts) {
    const double rough = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) return factor * power;
    }
    return 10 * power;
}

// An axis over `low` to `high`, with the values of its ticks. Widened to whole steps, it ends
// on ticks; otherwise it ends where the values do.
struct Axis {
    double low = 0, high = 0;
    std::vector<double> ticks;
};

Axis AxisOver(double low, double high, int parts, double smallestStep, bool widened) {
    const double step = std::max(smallestStep, NiceStep(high - low, parts));
    Axis axis{low, high, {}};
    if (widened) axis = {std::floor(low / step) * step, std::ceil(high / step) * step, {}};
    for (double k = std::ceil(axis.low / step); k * step <= axis.high; ++k) {
        axis.ticks.push_back(k * step);
    }
    return axis;
}

}  // namespace

CoursePlot::CoursePlot(const rules::BalanceCourse& course, std::string decimalSeparator,
                       QWidget* parent)
    : QWidget(parent), mCourse(course), mDecimalSeparator(std::move(decimalSeparator)) {
    static const bool installed = [] {
        QAccessible::installFactory(PictureFactory);
        return true;
    }();
    static_cast<void>(installed);
    setAccessibleName(QStringLiteral("Verlauf des Saldos"));
    setFocusPolicy(Qt::StrongFocus);  // where the window opens, so its description is heard
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumSize(240, 160);
    Follow();
}

void CoursePlot::Follow() {
    setAccessibleDescription(
        QString::fromStdString(rules::CourseDescription(mCourse, mDecimalSeparator)));
    update();
}

void CoursePlot::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintCourse(painter);
    if (hasFocus()) {  // a frame only: a style's tinted focus area would change the picture
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CoursePlot::PaintCourse(QPainter& painter) const {
    const std::size_t draws = mCourse.Draws();
    if (draws == 0) {
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("Noch keine Ziehungen simuliert."));
        return;
    }
    const auto text = [this](double value) {
        return QString::fromStdString(base::NumberText(value, mDecimalSeparator));
    };
    // Zero is always on the y axis; a course that never left it still gets a span.
    const double lowest = std::min(mCourse.Lowest().balance, 0.0);
    const double highest = std::max(mCourse.Highest().balance, lowest == 0 ? 1.0 : 0.0);
    const Axis euros = AxisOver(lowest, highest, 5, 0.25, true);
    const Axis drawAxis = AxisOver(0, static_cast<double>(draws), 6, 1, false);

    const QFontMetrics metrics = fontMetrics();
    int labelWidth = 0;
    for (const double tick : euros.ticks) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(text(tick)));
    }
    const int line = metrics.height();
    const QString lastDraw = text(drawAxis.high);
    const QRect plot = rect().adjusted(labelWidth + 12, line + 8,
                                       -std::max(12, metrics.horizontalAdvance(lastDraw) / 2 + 4),
                                       -(2 * line + 10));
    if (plot.width() < 2 || plot.height() < 2) return;

    // The course in device pixels, one column each, crisp at any scaling.
    const qreal ratio = devicePixelRatioF();
    const int left = static_cast<int>(std::lround(plot.left() * ratio));
    const int top = static_cast<int>(std::lround(plot.top() * ratio));
    const int width = static_cast<int>(std::lround(plot.width() * ratio));
    const int height = static_cast<int>(std::lround(plot.height() * ratio));
    const auto yOf = [&](double balance) {
        return top + static_cast<int>(std::lround((euros.high - balance) /
                                                  (euros.high - euros.low) * (height - 1)));
    };
    const auto xOfDraw = [&](double draw) { return left + draw * width / drawAxis.high; };
    const int pen = std::max(1, static_cast<int>(std::lround(ratio)));

    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    painter.setPen(QPen(kGridColour, 1));
    for (const double tick : euros.ticks)
        painter.drawLine(left, yOf(tick), left + width, yOf(tick));
    painter.setPen(QPen(palette().color(QPalette::WindowText), pen));
    painter.drawLine(left, top, left, top + height);                   // the Euro axis
    painter.drawLine(left, yOf(0), left + width, yOf(0));              // the zero line
    painter.drawLine(left, top + height, left + width, top + height);  // the draws' axis
    for (const double tick : drawAxis.ticks) {
        const int x = static_cast<int>(std::lround(xOfDraw(tick)));
        painter.drawLine(x, top + height, x, top + height + 4 * pen);
    }
    std::vector<QLine> course;
    QPoint previous(left, yOf(0));  // before the first draw the balance is 0
    const std::vector<rules::BalanceCourse::Column> columns =
        mCourse.Columns(static_cast<std::size_t>(width));
    for (std::size_t index = 0; index < columns.size(); ++index) {
        const rules::BalanceCourse::Column& column = columns[index];
        if (column.draws == 0) continue;
        const int x = left + static_cast<int>(index);
        course.emplace_back(previous, QPoint(x, yOf(column.first)));
        course.emplace_back(x, yOf(column.low), x, yOf(column.high));
        previous = QPoint(x, yOf(column.last));
    }
    painter.setPen(QPen(kLineColour, pen, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(course.data(), static_cast<int>(course.size()));
    painter.restore();

    for (const double tick : euros.ticks) {
        const QRectF label(0, yOf(tick) / ratio - line / 2.0, labelWidth + 6, line);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, text(tick));
    }
    for (const double tick : drawAxis.ticks) {
        const QRectF label(xOfDraw(tick) / ratio - 100, plot.bottom() + 6, 200, line);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, text(tick));
    }
    painter.drawText(QRect(0, 2, plot.left() + 40, line), Qt::AlignLeft, QStringLiteral("Euro"));
    painter.drawText(QRect(plot.left(), plot.bottom() + 6 + line, plot.width(), line),
                     Qt::AlignHCenter, QStringLiteral("Ziehungen"));
}

}  // namespace ui
