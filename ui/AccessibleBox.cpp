#include "ui/AccessibleBox.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>

namespace ui {
namespace {

QAccessibleInterface* BoxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLineEdit") && object != nullptr && object->isWidgetType()) {
        return new AccessibleBox(static_cast<QLineEdit*>(object));
    }
    return nullptr;
}

void DropWritesToBoxesWithoutFocus(QAccessibleEvent* event) {
    if (!ReachesScreenReader(*event)) return;
    // On to the platform, which receives every event while no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(DropWritesToBoxesWithoutFocus);
}

}  // namespace

bool ReachesScreenReader(const QAccessibleEvent& event) {
    switch (event.type()) {
        case QAccessible::TextCaretMoved:
        case QAccessible::TextInserted:
        case QAccessible::TextRemoved:
        case QAccessible::TextUpdated:
        case QAccessible::TextSelectionChanged: {
            const auto* box = qobject_cast<QLineEdit*>(event.object());
            return box == nullptr || box->hasFocus();
        }
        default:
            return true;
    }
}

AccessibleBox::AccessibleBox(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

void AccessibleBox::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(BoxFactory);
        QAccessible::installUpdateHandler(DropWritesToBoxesWithoutFocus);
        return true;
    }();
    static_cast<void>(installed);
}

QLineEdit* AccessibleBox::Box() const { return static_cast<QLineEdit*>(widget()); }

void* AccessibleBox::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleBox::text(QAccessible::Text which) const {
    if (which == QAccessible::Value) return Box()->text();
    return QAccessibleWidget::text(which);
}

void AccessibleBox::setText(QAccessible::Text which, const QString& text) {
    if (which != QAccessible::Value) return QAccessibleWidget::setText(which, text);
    replaceText(0, characterCount(), text);
}

QAccessible::State AccessibleBox::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !Box()->isReadOnly();
    state.readOnly = Box()->isReadOnly();
    state.selectableText = true;
    return state;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> AccessibleBox::relations(
    QAccessible::Relation match) const {
    auto all = QAccessibleWidget::relations(match);
    if (!Box()->accessibleName().isEmpty()) {
        all.removeIf([](const auto& relation) { return relation.second & QAccessible::Label; });
    }
    return all;
}

void AccessibleBox::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Box()->hasSelectedText()) return;
    *startOffset = Box()->selectionStart();
    *endOffset = Box()->selectionEnd();
}

int AccessibleBox::selectionCount() const { return Box()->hasSelectedText() ? 1 : 0; }

void AccessibleBox::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void AccessibleBox::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) Box()->deselect();
}

void AccessibleBox::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) Box()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleBox::cursorPosition() const { return Box()->cursorPosition(); }

void AccessibleBox::setCursorPosition(int position) { Box()->setCursorPosition(position); }

QString AccessibleBox::text(int startOffset, int endOffset) const {
    const QString all = Box()->text();
    if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return all.mid(startOffset, endOffset - startOffset);
}

int AccessibleBox::characterCount() const { return static_cast<int>(Box()->text().size()); }

QRect AccessibleBox::characterRect(int offset) const {
    // Measured from the caret, whose place the box knows however far it has scrolled.
    const QString all = Box()->text();
    if (offset < 0 || offset >= all.size()) return {};
    const QFontMetrics metrics(Box()->font());
    const QRect caret = Box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int caretAt = Box()->cursorPosition();
    const int left =
        caret.center().x() + (offset >= caretAt
                                  ? metrics.horizontalAdvance(all.mid(caretAt, offset - caretAt))
                                  : -metrics.horizontalAdvance(all.mid(offset, caretAt - offset)));
    const QRect local(left, caret.top(), metrics.horizontalAdvance(all.at(offset)), caret.height());
    return QRect(Box()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleBox::offsetAtPoint(const QPoint& point) const {
    return Box()->cursorPositionAt(Box()->mapFromGlobal(point));
}

void AccessibleBox::scrollToSubstring(int startIndex, int endIndex) {
    Box()->setCursorPosition(endIndex);
    Box()->setCursorPosition(startIndex);
}

QString AccessibleBox::attributes(int offset, int* startOffset, int* endOffset) const {
    static_cast<void>(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleBox::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void AccessibleBox::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void AccessibleBox::replaceText(int startOffset, int endOffset, const QString& text) {
    // As if typed: the typing limit applies and the window hears of the change.
    if (Box()->isReadOnly() || !Box()->isEnabled()) return;
    Box()->setSelection(startOffset, endOffset - startOffset);
    if (text.isEmpty()) {
        Box()->del();
    } else {
        Box()->insert(text);
    }
}

}  // namespace ui
