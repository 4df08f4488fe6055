#include "print_window.h"

#include "printing/print_target.h"
#include "printing/window_capture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace printing {

namespace {
void showPanels(QWidget& window, QWidget& shown, QWidget& hidden) {
    hidden.hide();
    shown.show();
    // The layouts settle in posted events; the capture must see the panels already swapped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window.repaint();
}
} // namespace

void withAppInfoPanel(QWidget& frameGraphType, QWidget& frameAppInfo,
                      const std::function<void()>& action) {
    QWidget& window = *frameGraphType.window();
    struct Restore {
        QWidget& window;
        QWidget& graphType;
        QWidget& appInfo;
        ~Restore() { showPanels(window, graphType, appInfo); }
    } restore{window, frameGraphType, frameAppInfo};
    showPanels(window, frameAppInfo, frameGraphType);
    action();
}

bool printWindowWithAppInfo(QWidget& window, QWidget& frameGraphType, QWidget& frameAppInfo,
                            PdfFileChooser& chooser, const QPrinterInfo& printer) {
    Picture picture;
    withAppInfoPanel(frameGraphType, frameAppInfo, [&] { picture = CaptureClientArea(window); });
    // The panels are back before any printer or file dialog shows up.
    return printPicture(picture, printer, chooser);
}

} // namespace printing
