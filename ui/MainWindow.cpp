#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "base/Errors.h"
#include "ui/AccessibleBox.h"
#include "ui/CourseWindow.h"
#include "ui/OutcomeNotice.h"
#include "ui/Platform.h"
#include "ui/ScreenBoundMessageBox.h"

namespace ui {
namespace {

int ToPixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// The report keeps CR LF line ends; the text widgets show plain line feeds.
QString Display(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QFont DialogFont() {
    QFont font;
    font.setFamilies(DialogFontFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

// Liberation Sans runs wider than MS Sans Serif: "= 10000,25" needs 56 of the stake label's 49
// pixels and would break before the amount. The narrow face of the same family keeps the
// amount on the first line and "Euro" on the second, as designed; where the machine has no narrow
// face, the dialog face gets smaller until the widest amount (its digits are all of one width)
// fits.
QFont StakeFont(int labelWidth) {
    return FittedToWidth(NarrowFace(DialogFont()), QStringLiteral("= 00000,00"), labelWidth);
}

// Windows shows the icon at 16 pixels in the title bar and at 24 in the task bar; scaled down from
// 32, its "49" would blur.
QIcon WindowIcon() {
    QIcon icon(QStringLiteral(":/varedadav/varedadav-32.png"));
    for (const int size : {16, 20, 24, 40, 48}) {
        icon.addFile(QStringLiteral(":/varedadav/varedadav-%1.png").arg(size));
    }
    return icon;
}

QFont ReportFont() {
    QFont font;
    font.setFamilies(ReportFontFamilies());
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

// A program write must never be cut at the typing limit: the limit grows to the text's length
// and shrinks back as the user deletes characters.
int MaxLengthFor(int typingLimit, const QString& text) {
    return typingLimit > 0 ? std::max<int>(typingLimit, text.size())
                           : std::numeric_limits<int>::max();
}

// Where the caret stands in the widget for a byte offset into the state's text.
int CaretPosition(const ControlState& control) {
    return static_cast<int>(
        Display(control.Text.substr(0, std::min(control.SelStart, control.Text.size()))).size());
}

// A text the program writes shows from the caret it sets, the start unless it says otherwise.
void SetLineText(QLineEdit& box, const QString& text, int typingLimit, int caret = 0) {
    box.setMaxLength(MaxLengthFor(typingLimit, text));
    box.setText(text);
    box.setCursorPosition(caret);
}

QMessageBox::Icon ToQtIcon(MsgBoxIcon icon) {
    switch (icon) {
        case MsgBoxIcon::Information:
            return QMessageBox::Information;
        case MsgBoxIcon::Warning:
            return QMessageBox::Warning;
        case MsgBoxIcon::Question:
            return QMessageBox::Question;
        case MsgBoxIcon::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::string DecimalSeparatorOf(const QLocale& locale) {
    return locale.decimalPoint().toStdString();
}

QFont FittedToWidth(QFont font, const QString& text, int width) {
    while (QFontMetricsF(font).horizontalAdvance(text) > width && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    return font;
}

MainWindow::MainWindow(FormEnvironment environment, QWidget* parent)
    : QWidget(parent), mForm(*this, std::move(environment)) {
    AccessibleBox::Install();
    setWindowTitle(QString::fromUtf8(kAppTitle.data(), kAppTitle.size()));
    setWindowIcon(WindowIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont());
    setFixedSize(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips));
    BuildControls();
    BindUserInput();
    mNotice = new OutcomeNotice(this);
}

MainWindow::~MainWindow() { ShowPointer(MousePointer::Default); }

void MainWindow::BuildControls() {
    QWidget* previousInTabOrder = nullptr;
    for (const ControlSpec& spec : kControls) {
        const QString caption = QString::fromUtf8(spec.caption.data(), spec.caption.size());
        QWidget* widget = nullptr;
        switch (spec.type) {
            case ControlType::Label: {
                auto* label = new QLabel(caption, this);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                // Only the stake label is two lines high; the others keep to one line.
                label->setWordWrap(spec.id == ControlId::lblEuroUsed);
                widget = label;
                break;
            }
            case ControlType::TextBox:
                if (spec.id == ControlId::txtOutput) {
                    auto* report = new QPlainTextEdit(caption, this);
                    report->setReadOnly(true);
                    report->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                    Qt::TextSelectableByKeyboard);
                    report->setFocusPolicy(Qt::StrongFocus);
                    report->setTabChangesFocus(true);
                    report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                    report->setFont(ReportFont());
                    report->setTabStopDistance(
                        QFontMetricsF(report->font()).horizontalAdvance(' ') * 8);
                    widget = report;
                } else {
                    auto* box = new QLineEdit(this);
                    SetLineText(*box, caption, spec.maxLength);
                    widget = box;
                }
                break;
            case ControlType::CommandButton: {
                auto* button = new QPushButton(caption, this);
                button->setAutoDefault(true);  // Enter presses the focused button, as Space does
                widget = button;
                break;
            }
            case ControlType::CheckBox: {
                auto* check = new QCheckBox(caption, this);
                check->setChecked(spec.value != 0);
                widget = check;
                break;
            }
        }
        widget->setObjectName(QString::fromUtf8(spec.name.data(), spec.name.size()));
        QRect area(ToPixels(spec.left), ToPixels(spec.top), ToPixels(spec.width),
                   ToPixels(spec.height));
        // The substitute dialog font runs a little wider than the original; a one-line caption
        // widens its label rather than lose its last letters.
        if (spec.type == ControlType::Label && spec.id != ControlId::lblEuroUsed) {
            area.setWidth(std::max(area.width(), widget->sizeHint().width()));
        }
        widget->setGeometry(area);
        widget->setEnabled(spec.enabled);
        const QString accessibleName =
            QString::fromUtf8(spec.accessibleName.data(), spec.accessibleName.size());
        if (spec.type == ControlType::Label) {
            widget->setAccessibleDescription(accessibleName);
        } else {
            widget->setAccessibleName(accessibleName);
        }
        if (spec.type != ControlType::Label) {
            if (previousInTabOrder != nullptr) setTabOrder(previousInTabOrder, widget);
            previousInTabOrder = widget;
        }
        mWidgets[static_cast<std::size_t>(spec.id)] = widget;
        mShown[static_cast<std::size_t>(spec.id)] = mForm.Control(spec.id);
    }

    // Headings name their boxes for screen readers and give them a shortcut target.
    const std::pair<ControlId, ControlId> headings[] = {
        {ControlId::Label1, ControlId::txtDrawnNumberList},
        {ControlId::Label2, ControlId::txtNewSeries0},
        {ControlId::Label3, ControlId::txtCurrentSeriesNumber},
        {ControlId::Label4, ControlId::txtAdditionalNumber},
        {ControlId::Label5, ControlId::txtNoDraws},
        {ControlId::Label6, ControlId::txtSpentAmount},
        {ControlId::Label7, ControlId::txtWonAmount},
    };
    for (const auto& [heading, box] : headings) {
        static_cast<QLabel*>(Widget(heading))->setBuddy(Widget(box));
    }

    QWidget* stake = Widget(ControlId::lblEuroUsed);
    stake->setFont(StakeFont(stake->contentsRect().width()));

    QFont bold = DialogFont();
    bold.setWeight(QFont::Bold);
    Widget(ControlId::cmdGenerateRandom)->setFont(bold);

    // The labels that open a box or a window look like links.
    for (const ControlId id :
         {ControlId::lblAssumptions, ControlId::lblChances, ControlId::lblCourse}) {
        QWidget* link = Widget(id);
        QFont underlined = DialogFont();
        underlined.setUnderline(true);
        link->setFont(underlined);
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        link->setPalette(palette);
        link->setCursor(Qt::PointingHandCursor);
    }
}

void MainWindow::BindUserInput() {
    const auto onClick = [this](ControlId id, void (frmMain::*handler)()) {
        connect(static_cast<QPushButton*>(Widget(id)), &QPushButton::clicked, this,
                [this, handler] { Dispatch([this, handler] { (mForm.*handler)(); }); });
    };
    onClick(ControlId::cmdAddSeries, &frmMain::cmdAddSeries_Click);
    onClick(ControlId::cmdEvaluate, &frmMain::cmdEvaluate_Click);
    onClick(ControlId::cmdGenerateRandom, &frmMain::cmdGenerateRandom_Click);
    onClick(ControlId::cmdShowSeries, &frmMain::cmdShowSeries_Click);
    onClick(ControlId::cmdDelete, &frmMain::cmdDelete_Click);
    onClick(ControlId::cmdResetStat, &frmMain::cmdResetStat_Click);
    Widget(ControlId::lblAssumptions)->installEventFilter(this);
    Widget(ControlId::lblChances)->installEventFilter(this);
    Widget(ControlId::lblCourse)->installEventFilter(this);
    // F1, the platform's help key, shows the assumptions, F2 the odds, F3 the course: the labels
    // take no focus.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { Dispatch([this] { mForm.lblAssumptions_Click(); }); });
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
            [this] { Dispatch([this] { mForm.lblChances_Click(); }); });
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            &MainWindow::ShowCourse);
    for (std::size_t index = 0; index < kNewSeriesBoxCount; ++index) {
        Widget(NewSeriesBox(static_cast<int>(index)))->installEventFilter(this);
    }

    for (const ControlSpec& spec : kControls) {
        QWidget* widget = Widget(spec.id);
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            connect(box, &QLineEdit::textEdited, this,
                    [this, id = spec.id](const QString& text) { TakeUserText(id, text); });
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            connect(check, &QCheckBox::clicked, this, [this, id = spec.id](bool checked) {
                mForm.Control(id).Value = mShown[static_cast<std::size_t>(id)].Value =
                    checked ? 1 : 0;
                if (id == ControlId::chkInDB) Dispatch([this] { mForm.chkInDB_Click(); });
            });
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        const bool clicked =
            release->button() == Qt::LeftButton &&
            static_cast<QWidget*>(watched)->rect().contains(release->position().toPoint());
        if (clicked && watched == Widget(ControlId::lblAssumptions)) {
            Dispatch([this] { mForm.lblAssumptions_Click(); });
        } else if (clicked && watched == Widget(ControlId::lblChances)) {
            Dispatch([this] { mForm.lblChances_Click(); });
        } else if (clicked && watched == Widget(ControlId::lblCourse)) {
            ShowCourse();
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const bool enter = press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter;
        auto box = std::find(mWidgets.begin(), mWidgets.begin() + kNewSeriesBoxCount, watched);
        if (enter && box != mWidgets.begin() + kNewSeriesBoxCount) {
            const auto index = static_cast<std::int16_t>(box - mWidgets.begin());
            const auto shift =
                static_cast<std::int16_t>((press->modifiers() & Qt::ShiftModifier ? 1 : 0) |
                                          (press->modifiers() & Qt::ControlModifier ? 2 : 0) |
                                          (press->modifiers() & Qt::AltModifier ? 4 : 0));
            Dispatch([this, index, shift] {
                std::int16_t keyCode = 13;
                mForm.txtNewSeries_KeyDown(index, keyCode, shift);
            });
        }
    }
    return QWidget::eventFilter(watched, event);  // the key goes on to the box as usual
}

void MainWindow::TakeUserText(ControlId id, const QString& text) {
    const std::size_t index = static_cast<std::size_t>(id);
    mForm.Control(id).Text = mShown[index].Text = text.toStdString();
    // Setting the limit sets the text anew, which would empty the box's undo history.
    auto* box = static_cast<QLineEdit*>(Widget(id));
    const int limit = MaxLengthFor(kControls[index].maxLength, text);
    if (box->maxLength() != limit) box->setMaxLength(limit);
}

bool MainWindow::Load() {
    bool ready = false;
    try {
        ready = mForm.Form_Load();
    } catch (const std::exception& failure) {
        MsgBox(std::string(failure.what()) + "\r\nDas Programm wird beendet.", MsgBoxButtons::Ok,
               MsgBoxIcon::Error);
    }
    if (!ready) {
        mForm.Form_Unload();
        return false;
    }
    Render();
    DescribeCountBox();
    Widget(mForm.ActiveControl)->setFocus();
    return true;
}

void MainWindow::ShowCourse() {
    if (mCourseWindow == nullptr) {
        mCourseWindow = new CourseWindow(mForm.Course(), mForm.DecimalSeparator(), this);
        mCourseWindow->PlaceBeside(*this);
    }
    mCourseWindow->show();
    mCourseWindow->raise();
    mCourseWindow->activateWindow();
}

void MainWindow::Announce(const std::string& outcome) {
    mAnnouncement = QString::fromStdString(outcome);
}

void MainWindow::DescribeCountBox() {
    Widget(ControlId::txtNewSeries0)
        ->setAccessibleDescription(QString::fromStdString(mForm.CountAndStakeText()));
}

void MainWindow::Speak(const QString& outcome, bool focusMoved) {
    if (outcome.isEmpty()) return;
    const QWidget* focused = focusWidget();
    if (focusMoved && focused != nullptr && focused->accessibleDescription() == outcome) return;
    mNotice->Say(outcome);
}

void MainWindow::Dispatch(const std::function<void()>& handler) {
    const QWidget* focused = focusWidget();
    auto current = std::find(mWidgets.begin(), mWidgets.end(), focused);
    const ControlId focusBefore = current != mWidgets.end()
                                      ? static_cast<ControlId>(current - mWidgets.begin())
                                      : mForm.ActiveControl;
    mForm.ActiveControl = focusBefore;
    const bool nested = std::exchange(mDispatching, true);
    mAnnouncement.clear();
    try {
        handler();
    } catch (const base::AppError& failure) {
        ReportFailure(failure.what());
    } catch (const std::exception& failure) {
        ReportFailure(std::string("Unerwarteter Fehler: ") + failure.what());
    }
    mDispatching = nested;
    Render();
    if (mCourseWindow != nullptr) mCourseWindow->Follow();
    const bool focusMoves = mForm.ActiveControl != focusBefore;
    // Before the focus lands on it, so that the screen reader speaks the new count with the box.
    DescribeCountBox();
    if (focusMoves) Widget(mForm.ActiveControl)->setFocus();
    Speak(std::exchange(mAnnouncement, QString()), focusMoves);
    if (mDefaultPointerPending && !mDispatching) {
        mDefaultPointerPending = false;
        ShowPointer(MousePointer::Default);
    }
}

void MainWindow::ReportFailure(const std::string& message) {
    mAnnouncement.clear();  // the message box says what happened
    mDefaultPointerPending = false;
    ShowPointer(MousePointer::Default);
    MsgBox(message, MsgBoxButtons::Ok, MsgBoxIcon::Error);
}

void MainWindow::Render() {
    for (const ControlSpec& spec : kControls) {
        const std::size_t index = static_cast<std::size_t>(spec.id);
        const ControlState& now = mForm.Control(spec.id);
        ControlState& shown = mShown[index];
        QWidget* widget = mWidgets[index];
        if (now.Enabled != shown.Enabled) widget->setEnabled(now.Enabled);
        if (auto* check = qobject_cast<QCheckBox*>(widget); check && now.Value != shown.Value) {
            check->setChecked(now.Value != 0);
        }
        // A write of the same text still puts the caret where the handler says.
        const bool textChanged = now.Text != shown.Text;
        const bool written = textChanged || now.Writes != shown.Writes;
        if (auto* report = qobject_cast<QPlainTextEdit*>(widget)) {
            if (textChanged) report->setPlainText(Display(now.Text));
            if (written || now.SelStart != shown.SelStart) {
                QTextCursor caret = report->textCursor();
                caret.setPosition(CaretPosition(now));
                report->setTextCursor(caret);
                report->ensureCursorVisible();
            }
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            if (written) {
                SetLineText(*box, QString::fromStdString(now.Text), spec.maxLength,
                            CaretPosition(now));
            }
        } else if (textChanged) {
            const QString text = QString::fromStdString(now.Text);
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(text);
            }
        }
        shown = now;
    }
}

MsgBoxResult MainWindow::MsgBox(const std::string& prompt, MsgBoxButtons buttons, MsgBoxIcon icon) {
    Render();
    if (mMsgBoxHook) return mMsgBoxHook(prompt, buttons, icon);
    ScreenBoundMessageBox box(ToQtIcon(icon), windowTitle(), Display(prompt), QMessageBox::NoButton,
                              this);
    box.setTextFormat(Qt::PlainText);  // a folder name like "A<b>Z" is text, not markup
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = buttons == MsgBoxButtons::OkCancel
                              ? box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole)
                              : nullptr;
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel != nullptr ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok ? MsgBoxResult::Ok : MsgBoxResult::Cancel;
}

void MainWindow::SetMousePointer(MousePointer pointer) {
    // The widgets take the handler's texts only after it returns, and a long list takes a while
    // to lay out: the hourglass stays until then.
    mDefaultPointerPending = mDispatching && pointer == MousePointer::Default;
    if (!mDefaultPointerPending) ShowPointer(pointer);
}

void MainWindow::ShowPointer(MousePointer pointer) {
    const bool wait = pointer == MousePointer::Hourglass;
    if (wait == mWaitCursorShown) return;
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
    mWaitCursorShown = wait;
    SendPointerToDisplay();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A close that arrives while a handler waits in a message box has to wait for it.
    if (mDispatching) {
        event->ignore();
        return;
    }
    Dispatch([this] { mForm.Form_Unload(); });
    if (mCourseWindow != nullptr) mCourseWindow->close();
    event->accept();
}

}  // namespace ui
