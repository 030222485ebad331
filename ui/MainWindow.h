#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "ui/frmMain.h"

class QFont;
class QLocale;
class QString;

namespace ui {

class CourseWindow;
class OutcomeNotice;

// The decimal separator of `locale` as the number texts use it.
std::string DecimalSeparatorOf(const QLocale& locale);

// `font`, made smaller in quarter points (to 6 points at the least) until `text` fits in `width`
// pixels; unchanged where it fits.
QFont FittedToWidth(QFont font, const QString& text, int width);

// Draws frmMain with Qt widgets: builds them from the control table, feeds the user's typing
// and clicks into the state, runs the handler and draws the state back. A failure a handler
// reports is shown in an error box and the program goes on.
class MainWindow final : public QWidget, public Dialogs {
    Q_OBJECT

  public:
    using MsgBoxHook = std::function<MsgBoxResult(const std::string&, MsgBoxButtons, MsgBoxIcon)>;

    explicit MainWindow(FormEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up sequence; false when the program has to end (the user has been told).
    bool Load();

    frmMain& Form() { return mForm; }
    // Draws the state into the widgets, for changes made to Form() from outside a handler.
    void Refresh() { Render(); }
    QWidget* Widget(ControlId id) const { return mWidgets[static_cast<std::size_t>(id)]; }

    // Tests answer message boxes through this instead of a real modal box.
    void SetMsgBoxHook(MsgBoxHook hook) { mMsgBoxHook = std::move(hook); }
    bool WaitCursorShown() const { return mWaitCursorShown; }
    // Opens "Verlauf" beside the window, or brings it to the front (F3).
    void ShowCourse();
    // "Verlauf", once it was opened.
    CourseWindow* Course() const { return mCourseWindow; }

    MsgBoxResult MsgBox(const std::string& prompt, MsgBoxButtons buttons, MsgBoxIcon icon) override;
    void SetMousePointer(MousePointer pointer) override;
    void Announce(const std::string& outcome) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter in one of the six number boxes, and a click on "Annahmen", "Chancen" or "Verlauf".
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BindUserInput();
    // Runs one handler: the focus is read from the widgets first, the state drawn back after,
    // and a failure is reported instead of ending the program.
    void Dispatch(const std::function<void()>& handler);
    void ReportFailure(const std::string& message);
    void ShowPointer(MousePointer pointer);
    void Render();
    // Gives the first row box the count and the stake as its description, which a screen
    // reader speaks with the box and on "where am I".
    void DescribeCountBox();
    // Has a screen reader speak `outcome` once, unless the focus moving onto a control that
    // describes itself so has said it already.
    void Speak(const QString& outcome, bool focusMoved);
    void TakeUserText(ControlId id, const QString& text);

    frmMain mForm;
    std::array<QWidget*, kControlCount> mWidgets{};
    std::array<ControlState, kControlCount> mShown;  // what the widgets show
    MsgBoxHook mMsgBoxHook;
    bool mWaitCursorShown = false;
    bool mDispatching = false;
    bool mDefaultPointerPending = false;  // shown once the widgets have the handler's texts
    QString mAnnouncement;                // of the handler now running
    OutcomeNotice* mNotice = nullptr;     // what a screen reader hears of an outcome
    CourseWindow* mCourseWindow = nullptr;
};

}  // namespace ui
