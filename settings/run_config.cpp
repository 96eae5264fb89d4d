#include "settings/run_config.h"

#include "settings/f_setup.h"

#include <QApplication>

int RunConfigDialog(QApplication& app)
{
    app.setApplicationName(QStringLiteral("Tarnik计时器屏保"));
    Tsetup setup(DefaultSetupEnvironment());
    // The dialog ends through OK, Cancel, Enter or Esc, which all hide it rather than close it;
    // its end is the end of the program.
    QObject::connect(&setup, &QDialog::finished, &app, &QCoreApplication::quit);
    setup.show();
    return app.exec();
}
