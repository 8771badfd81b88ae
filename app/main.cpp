#include <QApplication>
#include <QString>

#include "app/app_resources.h"
#include "app/designer_dialog.h"

namespace pindrel {

// The application object: runs the designer dialog and ends the program when it closes.
class DesignerApp final : public QApplication {
public:
    DesignerApp(int& argc, char** argv) : QApplication(argc, argv) {
        setDesktopFileName(QString::fromLatin1(kAppId));
    }

    // There is no event loop beyond the modal dialog's; its result does not matter.
    int Run() {
        DesignerDialog dialog;
        dialog.exec();
        return 0;
    }
};

} // namespace pindrel

int main(int argc, char** argv) {
    pindrel::DesignerApp app(argc, argv);
    return app.Run();
}
