// Keystrel: configurator of the S7comm / KNX converter.
#include "app/app_state.h"
#include "app/startup.h"
#include "app/ui/error_report.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_messages.h"

int main(int argc, char** argv) {
    ks::KsApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keystrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Keystrel"));

    // The one application-wide state, alive for the whole run.
    ks::AppState state;
    ks::QtMessages messages;

    // Creating the main window runs the start-up; every other window follows,
    // once each, now that the texts are loaded.
    ks::TFKeystrelFirmWare main_window(state, messages, ks::Executable_Dir());
    messages.Set_Parent(&main_window);
    main_window.Create_Dialogs();
    main_window.show();
    return app.exec();
}
