// The window as a screen reader and a high-resolution screen see it. Run once at the normal
// scale and once with QT_SCALE_FACTOR=2, which stands for a 192 dpi screen.
#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>
#include <memory>
#include <tuple>
#include <utility>

#include "tests/ui/ShownWindow.h"
#include "ui/AccessibleBox.h"
#include "ui/MainWindow.h"

using testing_support::EnvironmentFor;
using testing_support::TempDatabase;

class AccessibilityTest : public QObject {
    Q_OBJECT

  protected:
    // A screen reader speaks the outcome notice each time it appears.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            appeared << static_cast<QWidget*>(watched)->accessibleName();
        return false;
    }

  private:
    QStringList appeared;
    testing_support::ShownWindow shown;
    TempDatabase* database = nullptr;
    ui::MainWindow* window = nullptr;

  private slots:
    void init() {
        QVERIFY(shown.Open());
        database = shown.database.get();
        window = shown.window.get();
    }
    void cleanup() { shown.window.reset(); }

    void namesEveryInputAndButton() {
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        QVERIFY(root);
        QCOMPARE(root->text(QAccessible::Name), QString("Varedadav 6 aus 49"));
        QStringList named;
        int inputs = 0;
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface* child = root->child(i);
            const QAccessible::Role role = child->role();
            if (role != QAccessible::EditableText && role != QAccessible::PushButton &&
                role != QAccessible::CheckBox) {
                continue;
            }
            ++inputs;
            const QString name = child->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(child->object()->objectName() + " has no name"));
            named << name;
        }
        QCOMPARE(inputs, 22);  // 13 text boxes, 7 buttons, 2 check boxes
        for (const char* expected :
             {"Zahlenreihe eingeben: Zahl 1", "Zahlenreihe eingeben: Zahl 6", "Gezogene Zahlen",
              "Zusatzzahl", "Anzahl Kästchen", "Ziehungen", "Ausgaben", "Einnahmen", "Ausgabe",
              "Alle Kästchen Anzeigen", "In Datenbank speichern"}) {
            QVERIFY2(named.contains(QString::fromUtf8(expected)), expected);
        }
        QCOMPARE(static_cast<QLabel*>(window->Widget(ui::ControlId::Label4))->buddy(),
                 window->Widget(ui::ControlId::txtAdditionalNumber));
    }

    // What a screen reader announces is what the eye sees: a label by its caption (a word of
    // context in its description), a text box by its text, also after the texts change.
    void announcesWhatEachControlShows() {
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        const auto expectAnnouncedAsShown = [&] {
            for (int i = 0; i < root->childCount(); ++i) {
                QAccessibleInterface* child = root->child(i);
                QWidget* widget = qobject_cast<QWidget*>(child->object());
                const QString what = widget->objectName();
                if (auto* label = qobject_cast<QLabel*>(widget)) {
                    QCOMPARE(child->text(QAccessible::Name), label->text());
                } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                    QVERIFY2(child->textInterface(), qPrintable(what));
                    QCOMPARE(
                        child->textInterface()->text(0, child->textInterface()->characterCount()),
                        box->text());
                    QCOMPARE(child->text(QAccessible::Value), box->text());
                } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                    QCOMPARE(child->text(QAccessible::Name), button->text());
                }
            }
        };
        QAccessibleInterface* stake =
            QAccessible::queryAccessibleInterface(window->Widget(ui::ControlId::lblEuroUsed));
        QCOMPARE(stake->text(QAccessible::Name), QString("= 10,25 Euro"));
        QCOMPARE(stake->text(QAccessible::Description), QString("Einsatz"));
        // The key of "Annahmen", "Chancen" and "Verlauf", which take no focus, is their
        // description.
        for (const auto& [id, name, key] :
             {std::tuple{ui::ControlId::lblAssumptions, "Annahmen", "Taste F1"},
              std::tuple{ui::ControlId::lblChances, "Chancen", "Taste F2"},
              std::tuple{ui::ControlId::lblCourse, "Verlauf", "Taste F3"}}) {
            QAccessibleInterface* link = QAccessible::queryAccessibleInterface(window->Widget(id));
            QCOMPARE(link->text(QAccessible::Name), QString(name));
            QCOMPARE(link->text(QAccessible::Description), QString(key));
        }
        expectAnnouncedAsShown();

        window->SetMsgBoxHook([](const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            return ui::MsgBoxResult::Ok;
        });
        for (int i = 0; i < 6; ++i) {
            QTest::keyClicks(window->Widget(ui::NewSeriesBox(i)), QString::number(i + 1));
        }
        expectAnnouncedAsShown();
        QTest::mouseClick(window->Widget(ui::ControlId::cmdAddSeries), Qt::LeftButton);
        QCOMPARE(stake->text(QAccessible::Name), QString("= 11 Euro"));
        expectAnnouncedAsShown();
        QTest::mouseClick(window->Widget(ui::ControlId::cmdDelete), Qt::LeftButton);
        QCOMPARE(stake->text(QAccessible::Name), QString());
        expectAnnouncedAsShown();
    }

    // A box is read whole, under its own name, and what a screen reader types into it reaches
    // the window as typing does; the first row box also tells the count and the stake.
    void readsEachBoxWholeUnderItsOwnName() {
        QWidget* first = window->Widget(ui::ControlId::txtNewSeries0);
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(first);
        QCOMPARE(box->text(QAccessible::Name), QString("Zahlenreihe eingeben: Zahl 1"));
        QVERIFY(box->relations(QAccessible::Label).isEmpty());
        QCOMPARE(static_cast<QLabel*>(window->Widget(ui::ControlId::Label2))->buddy(), first);
        QCOMPARE(box->text(QAccessible::Description),
                 QString("Anzahl Kästchen: 13, Einsatz 10,25 Euro."));

        auto* drawn = static_cast<QLineEdit*>(window->Widget(ui::ControlId::txtDrawnNumberList));
        drawn->setText("1,2,3,4,5,6");
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(drawn)->textInterface();
        for (int offset = 0; offset <= 11; ++offset) {
            int start = -1;
            int end = -1;
            text->attributes(offset, &start, &end);
            QCOMPARE(std::pair(start, end), std::pair(0, 11));  // one run: the text is read whole
        }

        for (int i = 0; i < 6; ++i) {
            QAccessibleInterface* numberBox =
                QAccessible::queryAccessibleInterface(window->Widget(ui::NewSeriesBox(i)));
            numberBox->editableTextInterface()->insertText(0, i == 0 ? "12345" : "345");
        }
        QCOMPARE(window->Form().txtNewSeries[0].Text, std::string("1234"));  // typing limits
        QCOMPARE(window->Form().txtNewSeries[5].Text, std::string("34"));
        window->SetMsgBoxHook([](const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            return ui::MsgBoxResult::Ok;
        });
        QTest::mouseClick(window->Widget(ui::ControlId::cmdAddSeries), Qt::LeftButton);
        QCOMPARE(database->Rows().back(), std::string("1234,34,34,34,34,34"));
        QCOMPARE(box->text(QAccessible::Description),
                 QString("Anzahl Kästchen: 14, Einsatz 11 Euro."));
    }

    // The outcome of a command is a notification that appears anew each time; where the focus
    // moves onto the first row box, the box itself tells the new count and stake.
    void tellsEachOutcomeThroughANotification() {
        window->SetMsgBoxHook([](const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            return ui::MsgBoxResult::Ok;
        });
        QAccessibleInterface* notice = nullptr;
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->role() == QAccessible::Notification) notice = root->child(i);
        }
        QVERIFY(notice);
        QVERIFY(notice->state().invisible);
        notice->object()->installEventFilter(this);
        QTest::keyClicks(window->Widget(ui::ControlId::txtDrawnNumberList), "40,41,42,43,44,45");
        QTest::keyClicks(window->Widget(ui::ControlId::txtAdditionalNumber), "46");
        QTest::mouseClick(window->Widget(ui::ControlId::cmdEvaluate), Qt::LeftButton);
        QCOMPARE(notice->text(QAccessible::Name), QString("Kein Treffer."));
        QVERIFY(!notice->state().invisible);
        QCOMPARE(notice->rect().size(), QSize(0, 0));  // the eye sees nothing of it

        for (int i = 0; i < 6; ++i) {
            QTest::keyClicks(window->Widget(ui::NewSeriesBox(i)), QString::number(i + 1));
        }
        QTest::keyClick(window->Widget(ui::NewSeriesBox(5)), Qt::Key_Return);
        QCOMPARE(window->focusWidget(), window->Widget(ui::ControlId::txtNewSeries0));
        QCOMPARE(notice->text(QAccessible::Name), QString("Kein Treffer."));  // not said twice

        // The first box's caret, moved as it was emptied before the focus came, stays unheard:
        // Orca would take it for the focus having arrived, and then say nothing of the box.
        QWidget* box = window->Widget(ui::ControlId::txtNewSeries0);
        QWidget* other = window->Widget(ui::ControlId::txtDrawnNumberList);
        QVERIFY(ui::ReachesScreenReader(QAccessibleTextCursorEvent(box, 0)));
        QVERIFY(!ui::ReachesScreenReader(QAccessibleTextCursorEvent(other, 0)));
        QVERIFY(!ui::ReachesScreenReader(QAccessibleTextRemoveEvent(other, 0, "1")));
        QVERIFY(ui::ReachesScreenReader(QAccessibleEvent(other, QAccessible::Focus)));

        // Where the focus stays in the first box, nothing else says the new count and stake.
        for (int i = 0; i < 6; ++i) {
            QTest::keyClicks(window->Widget(ui::NewSeriesBox(i)), QString::number(i + 1));
        }
        QTest::keyClick(window->Widget(ui::NewSeriesBox(0)), Qt::Key_Return);
        QCOMPARE(notice->text(QAccessible::Name),
                 QString("Anzahl Kästchen: 15, Einsatz 11,75 Euro."));
        // The same outcome twice is said twice.
        QTest::mouseClick(window->Widget(ui::ControlId::cmdEvaluate), Qt::LeftButton);
        QTest::mouseClick(window->Widget(ui::ControlId::cmdEvaluate), Qt::LeftButton);
        QCOMPARE(appeared, QStringList({"Kein Treffer.", "Anzahl Kästchen: 15, Einsatz 11,75 Euro.",
                                        "Kein Treffer.", "Kein Treffer."}));
    }

    // With the dialog font standing in for the designed one, every stake from 0 to 32,767 rows
    // still shows whole in the two-line label: the amount on the first line, "Euro" below.
    void showsEveryStakeWholeInTwoLines() {
        auto* label = static_cast<QLabel*>(window->Widget(ui::ControlId::lblEuroUsed));
        const QFontMetrics metrics(label->font());
        const int width = label->contentsRect().width();
        QVERIFY(2 * metrics.lineSpacing() <= label->contentsRect().height());
        QVERIFY(metrics.horizontalAdvance("Euro") <= width);
        ui::frmMain& form = window->Form();
        for (int rows = 0; rows <= 32767; ++rows) {
            form.mSeriesCount = static_cast<std::int16_t>(rows);
            form.ShowStake();
            window->Refresh();
            const QString text = label->text();
            const QString amount = text.left(text.lastIndexOf(' '));
            QVERIFY2(metrics.horizontalAdvance(amount) <= width, qPrintable(text));
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
        }
    }

    // A face squeezed by the toolkit reads badly ("= l Eum" for "= 1 Euro" on Windows): the stake
    // is drawn in its face as that face is. Without a narrow face, the dialog face gets smaller
    // until the widest amount fits; a narrow face that fits stays as it is.
    void drawsTheStakeUnsqueezedAndFitted() {
        const QFont font = window->Widget(ui::ControlId::lblEuroUsed)->font();
        QFont unstretched(QFontInfo(font).family());
        unstretched.setPointSizeF(font.pointSizeF());
        QCOMPARE(QFontMetricsF(font).horizontalAdvance("= 25258 Euro"),
                 QFontMetricsF(unstretched).horizontalAdvance("= 25258 Euro"));
        for (const char* family : {"Liberation Sans", "Liberation Sans Narrow"}) {
            QFont wide(family);
            wide.setPointSizeF(8.25);
            const QFont fitted = ui::FittedToWidth(wide, "= 00000,00", 49);
            QVERIFY2(QFontMetricsF(fitted).horizontalAdvance("= 00000,00") <= 49, family);
            QCOMPARE(fitted.pointSizeF() < 8.25, QString(family) == "Liberation Sans");
        }
    }

    void keepsTheDesignedSizeInPixelsOfTheScreen() {
        const qreal scale = window->devicePixelRatio();
        QCOMPARE(QSizeF(window->size()) * scale, QSizeF(536, 331) * scale);
        const QImage picture = window->grab().toImage();
        QCOMPARE(picture.size(), (QSizeF(536, 331) * scale).toSize());
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2")
            QCOMPARE(picture.size(), QSize(1072, 662));
    }

    void cutsNoCaption() {
        for (const ui::ControlSpec& spec : ui::kControls) {
            QWidget* widget = window->Widget(spec.id);
            const QFontMetrics metrics(widget->font());
            if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(label->text()));
            } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
                QVERIFY2(metrics.horizontalAdvance(button->text()) + 8 <= button->width(),
                         qPrintable(button->text()));
            } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
                const int needed = check->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                   check->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) +
                                   metrics.horizontalAdvance(check->text());
                QVERIFY2(needed <= check->width(), qPrintable(check->text()));
            }
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
