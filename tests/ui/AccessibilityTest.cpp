// The window as a screen reader and a high-resolution screen see it. Run once at the normal
// scale and once with QT_SCALE_FACTOR=2, which stands for a 192 dpi screen.
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QtTest>
#include <memory>

#include "tests/ui/ShownWindow.h"
#include "ui/MainWindow.h"

using testing_support::EnvironmentFor;
using testing_support::TempDatabase;

class AccessibilityTest : public QObject {
    Q_OBJECT

  private:
    testing_support::ShownWindow shown;
    TempDatabase* database = nullptr;
    ui::MainWindow* window = nullptr;
    store::BuiltinHive& hive = shown.hive;

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
