#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "tests/ui/ShownWindow.h"
#include "ui/CoursePlot.h"
#include "ui/CourseWindow.h"
#include "ui/GermanQtTexts.h"
#include "ui/MainWindow.h"

using testing_support::EnvironmentFor;
using testing_support::TempDatabase;
using ui::ControlId;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    testing_support::ShownWindow shown;
    TempDatabase* database = nullptr;
    ui::MainWindow* window = nullptr;
    store::BuiltinHive& hive = shown.hive;

    template <typename W>
    W* Get(ControlId id) {
        return qobject_cast<W*>(window->Widget(id));
    }

  private slots:
    void init() {
        QVERIFY(shown.Open());
        database = shown.database.get();
        window = shown.window.get();
    }
    void cleanup() { shown.window.reset(); }

    void showsCountAndStakeAfterLoading() {
        QCOMPARE(Get<QLineEdit>(ControlId::txtCurrentSeriesNumber)->text(), QString("13"));
        QCOMPARE(Get<QLabel>(ControlId::lblEuroUsed)->text(), QString("= 10,25 Euro"));
        QCOMPARE(window->windowTitle(), QString("Varedadav 6 aus 49"));
    }

    void placesEveryControlAtItsTwipPosition_data() {
        QTest::addColumn<int>("index");
        for (const ui::ControlSpec& spec : ui::kControls) {
            QTest::newRow(std::string(spec.name).c_str()) << static_cast<int>(spec.id);
        }
    }
    void placesEveryControlAtItsTwipPosition() {
        QFETCH(int, index);
        const ui::ControlSpec& spec = ui::kControls[index];
        QWidget* widget = window->Widget(spec.id);
        QCOMPARE(widget->objectName().toStdString(), std::string(spec.name));
        const auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
        const QRect designed(px(spec.left), px(spec.top), px(spec.width), px(spec.height));
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
            // A one-line caption may widen its label so that no letter is cut.
            QCOMPARE(widget->geometry().topLeft(), designed.topLeft());
            QCOMPARE(widget->height(), designed.height());
            QVERIFY(widget->width() >= designed.width());
            QVERIFY(widget->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        } else {
            QCOMPARE(widget->geometry(), designed);
        }
        QCOMPARE(widget->isEnabled(), spec.enabled);
    }

    void isAFixedWindowWithoutMinimiseOrMaximise() {
        QCOMPARE(window->size(), QSize(536, 331));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->windowIcon().availableSizes().value(0), QSize(32, 32));
    }

    void usesTheDesignedFonts() {
        const QFont dialog = window->Widget(ControlId::cmdAddSeries)->font();
        QCOMPARE(dialog.pointSizeF(), 8.25);
        QVERIFY(!dialog.bold());
        QVERIFY(window->Widget(ControlId::cmdGenerateRandom)->font().bold());

        auto* report = Get<QPlainTextEdit>(ControlId::txtOutput);
        QCOMPARE(report->font().pointSizeF(), 9.75);
        QVERIFY(QFontInfo(report->font()).fixedPitch());
        QCOMPARE(report->tabStopDistance(),
                 QFontMetricsF(report->font()).horizontalAdvance(' ') * 8);
        QVERIFY(report->isReadOnly());
        QVERIFY(report->textInteractionFlags() & Qt::TextSelectableByKeyboard);

        for (const ControlId id :
             {ControlId::lblAssumptions, ControlId::lblChances, ControlId::lblCourse}) {
            QWidget* link = window->Widget(id);
            QVERIFY(link->font().underline());
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void startsInTheFirstNumberBox() {
        QCOMPARE(QApplication::focusWidget(), window->Widget(ControlId::txtNewSeries0));
    }

    void limitsTypingButNeverCutsProgramText() {
        auto* first = Get<QLineEdit>(ControlId::txtNewSeries0);
        auto* second = Get<QLineEdit>(ControlId::txtNewSeries1);
        QTest::keyClicks(first, "123456");
        QCOMPARE(first->text(), QString("1234"));
        QTest::keyClicks(second, "123");
        QCOMPARE(second->text(), QString("12"));
        QCOMPARE(window->Form().txtNewSeries[0].Text, std::string("1234"));
        // Typing keeps its history: "Rückgängig" (Ctrl+Z) takes back what was typed, and
        // "Wiederherstellen" (Ctrl+Y) brings it back; the window follows both.
        QTest::keyClick(first, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(first->text(), QString());
        QCOMPARE(window->Form().txtNewSeries[0].Text, std::string());
        QTest::keyClick(first, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window->Form().txtNewSeries[0].Text, std::string("1234"));

        window->Form().txtNewSeries[1].Text = "program text";
        window->Form().chkInDB.Value = 0;
        QTest::mouseClick(Get<QCheckBox>(ControlId::chkInDB), Qt::LeftButton);  // any dispatch
        QCOMPARE(second->text(), QString("program text"));
        second->setFocus();
        QTest::keyClick(second, Qt::Key_End);
        QTest::keyClicks(second, "x");
        QCOMPARE(second->text(), QString("program text"));
        QTest::keyClick(second, Qt::Key_Backspace);
        QTest::keyClick(second, Qt::Key_Backspace);
        QTest::keyClicks(second, "xyz");
        QCOMPARE(second->text(), QString("program te"));  // still over the limit
    }

    void tabVisitsTheControlsInOrder() {
        const auto visit = [&] {
            QStringList names;
            window->Widget(ControlId::txtNewSeries0)->setFocus();
            for (int i = 0; i < 24; ++i) {
                names << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            return names;
        };
        const QStringList boxes = {"txtNewSeries(0)", "txtNewSeries(1)", "txtNewSeries(2)",
                                   "txtNewSeries(3)", "txtNewSeries(4)", "txtNewSeries(5)",
                                   "cmdAddSeries"};
        const QStringList rest = {"cmdGenerateRandom",   "chkInDB",      "txtDrawnNumberList",
                                  "txtAdditionalNumber", "cmdEvaluate",  "cmdShowSeries",
                                  "cmdDelete",           "cmdResetStat", "txtOutput"};
        QCOMPARE(visit().mid(0, 16), boxes + rest);
        QCOMPARE(visit().mid(16, 2), QStringList({"txtNewSeries(0)", "txtNewSeries(1)"}));

        QTest::mouseClick(Get<QCheckBox>(ControlId::chkInDB), Qt::LeftButton);
        QStringList withStoreMode = boxes + QStringList{"txtSeriesCount"} + rest +
                                    QStringList{"chkUnpopularNums", "txtNewSeries(0)"};
        QCOMPARE(visit().mid(0, 19), withStoreMode);
    }

    void couplesCountAndFilterToStoreMode() {
        auto* store = Get<QCheckBox>(ControlId::chkInDB);
        auto* count = Get<QLineEdit>(ControlId::txtSeriesCount);
        auto* filter = Get<QCheckBox>(ControlId::chkUnpopularNums);
        QVERIFY(!count->isEnabled());
        QVERIFY(!filter->isEnabled());
        QVERIFY(filter->isChecked());

        QTest::mouseClick(store, Qt::LeftButton);
        QVERIFY(count->isEnabled());
        QVERIFY(filter->isEnabled());
        count->selectAll();
        QTest::keyClicks(count, "25");
        QTest::mouseClick(filter, Qt::LeftButton);
        QCOMPARE(window->Form().txtSeriesCount.Text, std::string("25"));

        store->setFocus();
        QTest::keyClick(store, Qt::Key_Space);  // the space bar counts as a click
        QVERIFY(!count->isEnabled());
        QVERIFY(!filter->isEnabled());
        QCOMPARE(count->text(), QString("1"));
        QVERIFY(!filter->isChecked());

        QTest::mouseClick(store, Qt::LeftButton);
        QCOMPARE(count->text(), QString("1"));
        QVERIFY(!filter->isChecked());
    }

    void enterInEachNumberBoxStoresTheTypedRow() {
        for (int index = 0; index < 6; ++index) {
            for (int box = 0; box < 6; ++box) {
                QTest::keyClicks(Get<QLineEdit>(ui::NewSeriesBox(box)), QString::number(box + 1));
            }
            auto* pressed = Get<QLineEdit>(ui::NewSeriesBox(index));
            pressed->setFocus();
            QTest::keyClick(pressed, Qt::Key_Return,
                            index % 2 ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(database->RowCount(), 14 + index);
            QCOMPARE(database->Rows().back(), std::string("1,2,3,4,5,6"));
            QCOMPARE(Get<QLineEdit>(ControlId::txtCurrentSeriesNumber)->text(),
                     QString::number(14 + index));
            QCOMPARE(Get<QLineEdit>(ControlId::txtNewSeries5)->text(), QString());
            QCOMPARE(QApplication::focusWidget(), window->Widget(ControlId::txtNewSeries0));
        }
        QCOMPARE(Get<QLabel>(ControlId::lblEuroUsed)->text(), QString("= 14,75 Euro"));

        auto* drawn = Get<QLineEdit>(ControlId::txtDrawnNumberList);
        QTest::keyClicks(drawn, "1,2,3");
        QTest::keyClick(drawn, Qt::Key_Return);  // Enter elsewhere adds nothing
        QCOMPARE(database->RowCount(), 19);
    }

    void warnsAndFocusesTheFirstEmptyBox() {
        std::vector<std::string> prompts;
        window->SetMsgBoxHook([&](const std::string& prompt, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            prompts.push_back(prompt);
            return ui::MsgBoxResult::Ok;
        });
        QTest::keyClicks(Get<QLineEdit>(ControlId::txtNewSeries0), "7");
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdAddSeries), Qt::LeftButton);
        QCOMPARE(prompts, std::vector<std::string>{"Bitte erst Zahlenreihe eingeben."});
        QCOMPARE(QApplication::focusWidget(), window->Widget(ControlId::txtNewSeries1));
        QCOMPARE(Get<QLineEdit>(ControlId::txtNewSeries0)->text(), QString("7"));
        QCOMPARE(database->RowCount(), 13);
    }

    void evaluatesATypedDrawIntoTheReportArea() {
        database->Exec(
            "update tblLotterySeries set BallNumberList = '1,5,9,23,31,47' "
            "where LotterySeriesID = 2");
        QTest::keyClicks(Get<QLineEdit>(ControlId::txtDrawnNumberList), "5,9,22,23,35,47");
        QTest::keyClicks(Get<QLineEdit>(ControlId::txtAdditionalNumber), "31");
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdEvaluate), Qt::LeftButton);
        auto* report = Get<QPlainTextEdit>(ControlId::txtOutput);
        QCOMPARE(report->toPlainText(), QString("Blatt 1, Kästchen 2: 4 Richtige + Zusatzzahl\n"
                                                "================================\n"
                                                "Gewonnene Summe (ca.): 200 EUR\n"));
        QCOMPARE(report->textCursor().position(), report->toPlainText().size());
        QCOMPARE(Get<QLineEdit>(ControlId::txtNoDraws)->text(), QString("0"));
    }

    // A write of the text a box already shows still puts the caret where the handler says,
    // whatever the user did in between; a single-line box shows its text from the start.
    void everyWritePutsTheCaretWhereTheHandlerSays() {
        database->Exec("update tblLotterySeries set BallNumberList = '1,2,3,4,5,6'");
        auto* report = Get<QPlainTextEdit>(ControlId::txtOutput);
        auto* drawn = Get<QLineEdit>(ControlId::txtDrawnNumberList);
        QTest::keyClicks(drawn, "1,2,3,4,5,6");
        QTest::keyClicks(Get<QLineEdit>(ControlId::txtAdditionalNumber), "7");
        for (int press = 0; press < 2; ++press) {
            QTest::mouseClick(Get<QPushButton>(ControlId::cmdEvaluate), Qt::LeftButton);
            QCOMPARE(report->textCursor().position(), report->toPlainText().size());
            QTest::keyClick(report, Qt::Key_Home, Qt::ControlModifier);
        }
        QCOMPARE(drawn->cursorPosition(), drawn->text().size());  // typed, not written

        for (int press = 0; press < 2; ++press) {
            QTest::mouseClick(Get<QPushButton>(ControlId::cmdShowSeries), Qt::LeftButton);
            QCOMPARE(report->textCursor().position(), 0);
            QCOMPARE(report->verticalScrollBar()->value(), 0);
            QTest::keyClick(report, Qt::Key_End, Qt::ControlModifier);
            QVERIFY(report->verticalScrollBar()->value() > 0);
        }

        window->Form().txtSpentAmount.Text = "252554741,75";
        window->Form().txtWonAmount.Text = "135478115";
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdGenerateRandom), Qt::LeftButton);
        for (ControlId id : {ControlId::txtSpentAmount, ControlId::txtWonAmount,
                             ControlId::txtDrawnNumberList, ControlId::txtNoDraws}) {
            QCOMPARE(Get<QLineEdit>(id)->cursorPosition(), 0);
        }
        QVERIFY(Get<QLineEdit>(ControlId::txtSpentAmount)->text().startsWith("252554"));
    }

    // The real box, not a scripted answer: Esc never confirms, Enter takes the default OK, and
    // a text that looks like markup shows as it is.
    void realMessageBoxAnswersAndShowsPlainText() {
        struct Press {
            Qt::Key key;
            ui::MsgBoxResult answer;
        };
        for (const Press press : {Press{Qt::Key_Escape, ui::MsgBoxResult::Cancel},
                                  Press{Qt::Key_Return, ui::MsgBoxResult::Ok}}) {
            QString shownText;
            Qt::TextFormat shownFormat = Qt::AutoText;
            QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
            QTimer::singleShot(0, [&] {
                // Answered in any case, so a failed check cannot leave the box open.
                QWidget* modal = QApplication::activeModalWidget();
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    shownIcon = box->icon();
                    if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
                        shownFormat = label->textFormat();
                        shownText = label->text();
                    }
                }
                if (modal != nullptr) QTest::keyClick(modal, press.key);
            });
            const ui::MsgBoxResult answer =
                window->MsgBox("/tmp/A<b>fett<b>Z/Lotto.mdb?", ui::MsgBoxButtons::OkCancel,
                               ui::MsgBoxIcon::Question);
            QCOMPARE(answer, press.answer);
            QCOMPARE(shownIcon, QMessageBox::Question);
            QCOMPARE(shownText, QString("/tmp/A<b>fett<b>Z/Lotto.mdb?"));
            QCOMPARE(shownFormat, Qt::PlainText);
        }
    }

    // However long a word of the message (a path, a name from a file), the box stays within the
    // screen and shows all of it.
    void messageBoxStaysWithinTheScreen() {
        std::string longWord = "/home";
        for (int i = 0; i < 6; ++i) longWord += "/" + std::string(50, 'x');
        longWord += "/Lotto.mdb";
        for (const std::string& prompt :
             {"Datenbankfehler: „" + longWord + "“ ist keine gewöhnliche Datei.",
              std::string(40, 'W') + " " + std::string(120, 'w') + "\r\nzweite Zeile"}) {
            QRect boxFrame;
            QRect screen;
            bool textWhole = false;
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal != nullptr) {
                    boxFrame = modal->frameGeometry();
                    screen = modal->screen()->availableGeometry();
                    auto* label = modal->findChild<QLabel*>("qt_msgbox_label");
                    textWhole = label != nullptr &&
                                label->heightForWidth(label->width()) <= label->height();
                    QTest::keyClick(modal, Qt::Key_Return);
                }
            });
            window->MsgBox(prompt, ui::MsgBoxButtons::Ok, ui::MsgBoxIcon::Error);
            QVERIFY(!boxFrame.isEmpty());
            QVERIFY2(screen.contains(boxFrame),
                     qPrintable(QString("%1 wide at %2").arg(boxFrame.width()).arg(boxFrame.x())));
            QVERIFY(textWhole);
        }
    }

    // Qt's own texts are German too: the context menus of a box and of the report, with the
    // German names of their shortcut keys (Qt writes them into the item's text).
    void qtsOwnTextsAreGerman() {
        QTranslator translator;
        QVERIFY(ui::InstallGermanQtTexts(translator));
        const auto menuTexts = [](QMenu* menu) {
            QStringList texts;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator()) continue;
                texts << action->text();
            }
            delete menu;
            return texts;
        };
        const QStringList box =
            menuTexts(Get<QLineEdit>(ControlId::txtNewSeries0)->createStandardContextMenu());
        QVERIFY2(box.contains("&Rückgängig\tStrg+Z"), qPrintable(box.join(" | ")));
        QVERIFY2(box.contains("Alles auswählen\tStrg+A"), qPrintable(box.join(" | ")));
        const QStringList report =
            menuTexts(Get<QPlainTextEdit>(ControlId::txtOutput)->createStandardContextMenu());
        QVERIFY2(report.contains("&Kopieren\tStrg+C"), qPrintable(report.join(" | ")));
        QCoreApplication::removeTranslator(&translator);
    }

    void reportsAHandlerFailureAndGoesOn() {
        std::vector<std::pair<std::string, ui::MsgBoxIcon>> shown;
        window->SetMsgBoxHook(
            [&](const std::string& prompt, ui::MsgBoxButtons, ui::MsgBoxIcon icon) {
                shown.emplace_back(prompt, icon);
                return ui::MsgBoxResult::Ok;
            });
        database->Exec(
            "create trigger refuse before insert on tblLotterySeries "
            "begin select raise(abort, 'refused'); end");
        for (int box = 0; box < 6; ++box) {
            QTest::keyClicks(Get<QLineEdit>(ui::NewSeriesBox(box)), "9");
        }
        window->SetMousePointer(ui::MousePointer::Hourglass);
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdAddSeries), Qt::LeftButton);
        QCOMPARE(shown.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(shown[0].first).startsWith("Datenbankfehler: "));
        QCOMPARE(shown[0].second, ui::MsgBoxIcon::Error);
        QVERIFY(!window->WaitCursorShown());
        QCOMPARE(Get<QLineEdit>(ControlId::txtNewSeries5)->text(), QString("9"));
        QCOMPARE(Get<QLineEdit>(ControlId::txtCurrentSeriesNumber)->text(), QString("13"));

        database->Exec("drop trigger refuse");
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdAddSeries), Qt::LeftButton);
        QCOMPARE(database->RowCount(), 14);
        QCOMPARE(shown.size(), std::size_t{1});
    }

    void drawCommandStoresRowsAndSimulatesDraws() {
        std::vector<std::string> prompts;
        window->SetMsgBoxHook([&](const std::string& prompt, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            prompts.push_back(prompt);
            return ui::MsgBoxResult::Ok;
        });
        auto* draw = Get<QPushButton>(ControlId::cmdGenerateRandom);
        QTest::mouseClick(draw, Qt::LeftButton);
        const QString first = Get<QLineEdit>(ControlId::txtDrawnNumberList)->text();
        QTest::mouseClick(draw, Qt::LeftButton);
        QVERIFY(first != Get<QLineEdit>(ControlId::txtDrawnNumberList)->text());
        QCOMPARE(Get<QLineEdit>(ControlId::txtNoDraws)->text(), QString("2"));
        QCOMPARE(Get<QLineEdit>(ControlId::txtSpentAmount)->text(), QString("20,5"));

        QTest::mouseClick(Get<QCheckBox>(ControlId::chkInDB), Qt::LeftButton);
        auto* count = Get<QLineEdit>(ControlId::txtSeriesCount);
        count->selectAll();
        QTest::keyClicks(count, "99999");
        QTest::mouseClick(draw, Qt::LeftButton);
        QCOMPARE(prompts.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(prompts[0]).startsWith("Überlauf"));
        QVERIFY(!window->WaitCursorShown());

        count->selectAll();
        QTest::keyClicks(count, "5");
        QTest::mouseClick(draw, Qt::LeftButton);
        QCOMPARE(database->RowCount(), 18);
        QCOMPARE(Get<QPlainTextEdit>(ControlId::txtOutput)->toPlainText(),
                 QString("5 Zahlenreihe(n) hinzugefügt."));
        QCOMPARE(Get<QLineEdit>(ControlId::txtCurrentSeriesNumber)->text(), QString("18"));
        QVERIFY(!window->WaitCursorShown());
        QCOMPARE(prompts.size(), std::size_t{1});
    }

    void listsRowsInColumnsUnderTheirHeadings() {
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdShowSeries), Qt::LeftButton);
        auto* report = Get<QPlainTextEdit>(ControlId::txtOutput);
        const QTextDocument* document = report->document();
        QCOMPARE(document->blockCount(), 16);  // two heading lines, 13 rows, the last line end
        QCOMPARE(document->findBlockByNumber(14).text(), QString("2\t1\t\t13,14,15,16,17,18"));

        // Where a column starts on the screen: after the n-th tab of the line.
        const auto columnX = [&](int line, int tabs) {
            const QTextBlock block = document->findBlockByNumber(line);
            int position = 0;
            for (int found = 0; found < tabs; ++position) {
                if (block.text().at(position) == '\t') ++found;
            }
            return block.layout()->lineAt(0).cursorToX(position);
        };
        for (int line : {2, 13, 14}) {
            QCOMPARE(columnX(line, 1), columnX(0, 1));  // box under "Kästchen"
            QCOMPARE(columnX(line, 3), columnX(0, 2));  // row under "Zahlenreihe"
        }
        QVERIFY(!window->WaitCursorShown());
    }

    void deletesOnlyAfterConfirmationAndShowsTheAssumptions() {
        std::vector<std::pair<std::string, ui::MsgBoxIcon>> shown;
        ui::MsgBoxResult answer = ui::MsgBoxResult::Cancel;
        window->SetMsgBoxHook(
            [&](const std::string& prompt, ui::MsgBoxButtons, ui::MsgBoxIcon icon) {
                shown.emplace_back(prompt, icon);
                return answer;
            });
        auto* remove = Get<QPushButton>(ControlId::cmdDelete);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(database->RowCount(), 13);
        QCOMPARE(Get<QLabel>(ControlId::lblEuroUsed)->text(), QString("= 10,25 Euro"));
        answer = ui::MsgBoxResult::Ok;
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(database->RowCount(), 0);
        QCOMPARE(Get<QLabel>(ControlId::lblEuroUsed)->text(), QString());
        QCOMPARE(Get<QLineEdit>(ControlId::txtCurrentSeriesNumber)->text(), QString("0"));
        QCOMPARE(Get<QPlainTextEdit>(ControlId::txtOutput)->toPlainText(),
                 QString("Alle Zahlenreihen gelöscht."));

        // A click on "Annahmen", or F1 wherever the focus is, shows the assumptions.
        QTest::mouseClick(window->Widget(ControlId::lblAssumptions), Qt::LeftButton);
        QTest::keyClick(Get<QLineEdit>(ControlId::txtDrawnNumberList), Qt::Key_F1);
        QCOMPARE(shown.size(), std::size_t{4});
        for (std::size_t i : {2, 3}) {
            QVERIFY(QString::fromStdString(shown[i].first)
                        .startsWith("Die Summen sind Circa-Angaben."));
            QCOMPARE(shown[i].second, ui::MsgBoxIcon::Information);
        }
        QCOMPARE(window->Widget(ControlId::lblAssumptions)->focusPolicy(), Qt::NoFocus);
        // "Chancen" likewise, with F2 (no rows are stored by now).
        QTest::mouseClick(window->Widget(ControlId::lblChances), Qt::LeftButton);
        QTest::keyClick(Get<QLineEdit>(ControlId::txtDrawnNumberList), Qt::Key_F2);
        QCOMPARE(shown.size(), std::size_t{6});
        for (std::size_t i : {4, 5}) {
            QCOMPARE(shown[i].first, std::string("Es sind keine Zahlenreihen gespeichert."));
            QCOMPARE(shown[i].second, ui::MsgBoxIcon::Information);
        }
        QCOMPARE(window->Widget(ControlId::lblChances)->focusPolicy(), Qt::NoFocus);

        QTest::mouseClick(Get<QPushButton>(ControlId::cmdGenerateRandom), Qt::LeftButton);
        QCOMPARE(Get<QLineEdit>(ControlId::txtNoDraws)->text(), QString("1"));
        QTest::mouseClick(Get<QPushButton>(ControlId::cmdResetStat), Qt::LeftButton);
        QCOMPARE(Get<QLineEdit>(ControlId::txtNoDraws)->text(), QString("0"));
    }

    // "Verlauf": F3 and a click open one window, which follows every click of "Ziehung" and is
    // emptied by "Reset" and "Löschen"; its lines write amounts as the window does. Rows of
    // numbers no draw holds never win: 13 of them spend 10.25 Euro a draw.
    void showsTheCourseInAWindowOfItsOwn_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("totals");
        QTest::addColumn<QString>("extremes");
        QTest::newRow("de_DE")
            << ","
            << "2 Ziehungen: Ausgaben 20,5 Euro, Einnahmen 0 Euro, Saldo -20,5 Euro"
            << "Höchster Saldo: -10,25 Euro nach Ziehung 1; tiefster Saldo: "
               "-20,5 Euro nach Ziehung 2";
        QTest::newRow("en_US")
            << "."
            << "2 Ziehungen: Ausgaben 20.5 Euro, Einnahmen 0 Euro, Saldo -20.5 Euro"
            << "Höchster Saldo: -10.25 Euro nach Ziehung 1; tiefster Saldo: "
               "-20.5 Euro nach Ziehung 2";
    }
    void showsTheCourseInAWindowOfItsOwn() {
        QFETCH(QString, separator);
        QFETCH(QString, totals);
        QFETCH(QString, extremes);
        TempDatabase losing;
        for (int row = 0; row < 13; ++row) {
            losing.Exec(
                "insert into tblLotterySeries (BallNumberList) values ('50,51,52,53,54,55')");
        }
        ui::MainWindow main(EnvironmentFor(losing.Folder(), hive, separator.toStdString()));
        QVERIFY(main.Load());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QCOMPARE(main.Course(), nullptr);
        QTest::keyClick(main.Widget(ControlId::txtNewSeries0), Qt::Key_F3);
        ui::CourseWindow* course = main.Course();
        QVERIFY(course != nullptr && course->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(course));
        QCOMPARE(course->windowTitle(), QString("Verlauf – Varedadav 6 aus 49"));
        // The picture has the focus, and Tab reaches the lines, so a screen reader reads them.
        QCOMPARE(course->focusWidget(), course->Plot());
        QCOMPARE(course->TotalsLine()->focusPolicy(), Qt::StrongFocus);
        QVERIFY(!course->TotalsLine()->isVisible());
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(course->Plot());
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QCOMPARE(picture->text(QAccessible::Name), QString("Verlauf des Saldos"));
        QCOMPARE(picture->text(QAccessible::Description),
                 QString("Noch keine Ziehungen simuliert."));

        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClicks(main.Widget(ControlId::txtNewSeries0), "2");
        QTest::mouseClick(main.Widget(ControlId::cmdGenerateRandom), Qt::LeftButton);
        QCOMPARE(course->TotalsLine()->text(), totals);
        QCOMPARE(course->ExtremesLine()->text(), extremes);
        QVERIFY(course->TotalsLine()->isVisible());
        QCOMPARE(picture->text(QAccessible::Description),
                 "Saldo nach Ziehung 2: -20" + separator + "5 Euro. " + extremes + ".");
        // A second F3, and a click on "Verlauf", bring the same window to the front.
        QTest::keyClick(main.Widget(ControlId::txtNewSeries0), Qt::Key_F3);
        QTest::mouseClick(main.Widget(ControlId::lblCourse), Qt::LeftButton);
        QCOMPARE(main.Course(), course);
        QCOMPARE(main.findChildren<ui::CourseWindow*>().size(), 1);
        QVERIFY(QTest::qWaitForWindowActive(course));
        // The focus shows as a frame round the picture and colours nothing in it.
        QTRY_VERIFY(course->Plot()->hasFocus());
        const QImage drawn = course->Plot()->grab().toImage();
        const QRgb focusColour = course->Plot()->palette().color(QPalette::Highlight).rgb();
        for (int y = 1; y < drawn.height() - 1; ++y) {
            for (int x = 1; x < drawn.width() - 1; ++x) QVERIFY(drawn.pixel(x, y) != focusColour);
        }

        QTest::mouseClick(main.Widget(ControlId::cmdResetStat), Qt::LeftButton);
        QVERIFY(!course->TotalsLine()->isVisible());
        QCOMPARE(picture->text(QAccessible::Description),
                 QString("Noch keine Ziehungen simuliert."));
        QTest::mouseClick(main.Widget(ControlId::cmdGenerateRandom), Qt::LeftButton);
        QVERIFY(course->TotalsLine()->text().startsWith("2 Ziehungen: "));
        main.SetMsgBoxHook([](const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            return ui::MsgBoxResult::Ok;
        });
        QTest::mouseClick(main.Widget(ControlId::cmdDelete), Qt::LeftButton);
        QCOMPARE(picture->text(QAccessible::Description),
                 QString("Noch keine Ziehungen simuliert."));
        main.close();
        QVERIFY(!course->isVisible());
    }

    void endsCleanlyWhenTheDatabaseCannotBeUsed() {
        TempDatabase broken;
        broken.Exec("drop table tblLotterySeries");
        ui::MainWindow other(EnvironmentFor(broken.Folder(), hive));
        std::vector<std::string> prompts;
        other.SetMsgBoxHook([&](const std::string& prompt, ui::MsgBoxButtons, ui::MsgBoxIcon icon) {
            prompts.push_back(prompt);
            if (icon != ui::MsgBoxIcon::Error) prompts.push_back("wrong icon");
            return ui::MsgBoxResult::Ok;
        });
        QVERIFY(!other.Load());
        QCOMPARE(prompts.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(prompts[0]).startsWith("Datenbankfehler: "));
        QVERIFY(QString::fromStdString(prompts[0]).endsWith("\r\nDas Programm wird beendet."));
        QVERIFY(!other.Form().mConnection);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
