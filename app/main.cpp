#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

#include "store/platform/DatabaseFile.h"
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
    // Qt writes "/" on Windows too; every path the user reads is written the system's way.
    environment.programFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    environment.userDataHome = store::UserDataHome();
    environment.temporaryFolder = store::TemporaryFolder();
    environment.registry = &store::SystemRegistry();
    environment.createConnection = store::CreateConnection;
    environment.decimalSeparator = ui::DecimalSeparatorOf(QLocale::system());

    ui::MainWindow window(std::move(environment));
    if (!window.Load()) return 1;
    window.show();
    return QApplication::exec();
}
