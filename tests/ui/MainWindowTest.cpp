#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "tests/ui/ScriptedDialogs.h"
#include "ui/MainWindow.h"

using testing_support::EnvironmentFor;
using testing_support::TempDatabase;
using ui::ControlId;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDatabase> database;
    store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    std::unique_ptr<ui::MainWindow> window;

    template <typename W>
    W* Get(ControlId id) {
        return qobject_cast<W*>(window->Widget(id));
    }

  private slots:
    void init() {
        database = std::make_unique<TempDatabase>();
        database->AddRows(13);
        window = std::make_unique<ui::MainWindow>(EnvironmentFor(database->Folder(), hive));
        QVERIFY(window->Load());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

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

        QWidget* assumptions = window->Widget(ControlId::lblAssumptions);
        QVERIFY(assumptions->font().underline());
        QCOMPARE(assumptions->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(assumptions->cursor().shape(), Qt::PointingHandCursor);
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
