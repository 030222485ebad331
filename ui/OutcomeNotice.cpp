#include "ui/OutcomeNotice.h"

#include <QAccessibleWidget>

#include "ui/Platform.h"

namespace ui {
namespace {

QAccessibleInterface* NoticeFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(OutcomeNotice::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

OutcomeNotice::OutcomeNotice(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(NoticeFactory);
        return true;
    }();
    static_cast<void>(installed);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void OutcomeNotice::Say(const QString& outcome) {
    hide();
    setAccessibleName(outcome);
    show();  // appearing is what a screen reader presents
    AnnounceOutcome(*window(), outcome);
}

}  // namespace ui
