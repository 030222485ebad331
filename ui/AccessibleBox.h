#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace ui {

// How a screen reader sees a one-line text box: its own name, its text read whole, its caret
// and selection, and editing as the user would type. It stands in for Qt's own, which gives
// every character a text-attribute run of its own (Orca then reads "12" as "1") and lets a
// heading that labels the box replace the box's name ("Zahlenreihe eingeben:" instead of
// "Zahlenreihe eingeben: Zahl 1").
class AccessibleBox final : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
  public:
    explicit AccessibleBox(QLineEdit* box);

    // Makes every QLineEdit of the program use it, and keeps a box without the focus from
    // telling a screen reader of the program's writes into it. Call before any box is shown.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text which) const override;
    void setText(QAccessible::Text which, const QString& text) override;
    QAccessible::State state() const override;
    // A box with a name of its own is not also "labelled by" its heading.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    // The box has no formatting: the whole text is one run without attributes.
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    QLineEdit* Box() const;
};

// False for what a box without the focus would tell a screen reader of the program writing
// into it (its text, caret or selection): Orca presents none of it, but it takes a caret that
// moved in a box that has the focus by the time it looks for the focus having moved there, and
// then says nothing of the box the focus moved to.
bool ReachesScreenReader(const QAccessibleEvent& event);

}  // namespace ui
