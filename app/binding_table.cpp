#include "app/program.h"

namespace vintrale {

// Every event of the window that the program answers, and the handler that answers it. Nothing
// else is bound anywhere.
void Program::bindHandlers() {
    MainWindow* window = mainWindow_.get();
    QObject::connect(window, &MainWindow::created, window, [this] { onMainWindowCreated(); });
}

} // namespace vintrale
