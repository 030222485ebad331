#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "store/platform/OwnDatabase.h"
#include "store/platform/RegistryApi.h"
#include "store/sqlite/Connection.h"
#include "ui/GermanQtTexts.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTranslator qtTexts;
    ui::InstallGermanQtTexts(qtTexts);

    ui::FormEnvironment environment;
    environment.programFolder = QCoreApplication::applicationDirPath().toStdString();
    environment.userDataHome = store::UserDataHome();
    environment.registry = &store::SystemRegistry();
    environment.createConnection = store::CreateConnection;
    environment.decimalSeparator = ui::DecimalSeparatorOf(QLocale::system());

    ui::MainWindow window(std::move(environment));
    if (!window.Load()) return 1;
    window.show();
    return QApplication::exec();
}
