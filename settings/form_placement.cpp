#include "form_placement.h"

#include "platform/app_error.h"
#include "platform/folders.h"
#include "settings/ini_file.h"
#include "settings/placement.h"
#include "settings/private_profile.h"
#include "settings/setting_keys.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <exception>

namespace settings {

namespace {

constexpr int kFrameWaitMs = 1000;
constexpr const char* kFrameCorrectionName = "tarvixFrameCorrection";

std::filesystem::path fileFor(const QWidget& window, const std::string& fileOrName) {
    const QString name = window.objectName().isEmpty()
                             ? QString::fromLatin1(window.metaObject()->className())
                             : window.objectName();
    return placementFile(fileOrName, name.toStdString(), platform::programFolders().program);
}

double dotsPerInch(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

bool isSizable(const QWidget& window) {
    return window.minimumSize() != window.maximumSize() &&
           !window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

bool positionsApply() {
    return !QGuiApplication::platformName().startsWith("wayland");
}

std::vector<Rect> availableAreas() {
    std::vector<Rect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(toRect(screen->availableGeometry()));
    return areas;
}

// The client area is the frame less the frame margins known now (none before the window has
// been shown and framed by the window system).
void applyFrame(QWidget& window, const Rect& frame, bool move, bool resize) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    if (resize)
        window.resize(std::max(frame.width - (outer.width() - inner.width()), 1),
                      std::max(frame.height - (outer.height() - inner.height()), 1));
    if (move)
        window.move(frame.left, frame.top);
}

// A window placed before it is first shown got the stored frame size as its client size. Once
// the window system has framed it, the size is corrected once, so the window does not grow by
// its frame at every start. Gives up a second after showing when no frame appears.
class FrameCorrection final : public QObject {
    Q_OBJECT

public:
    FrameCorrection(QWidget& window, const Rect& frame, bool move, bool resize)
        : QObject(&window), window_(window), frame_(frame), move_(move), resize_(resize) {
        setObjectName(kFrameCorrectionName);
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::Show)
            QTimer::singleShot(kFrameWaitMs, this, [this] { deleteLater(); });
        const bool framed = window_.frameGeometry().size() != window_.geometry().size();
        const auto type = event->type();
        if (framed && window_.isVisible() &&
            (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)) {
            window_.removeEventFilter(this);
            applyFrame(window_, frame_, move_, resize_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
    Rect frame_;
    bool move_;
    bool resize_;
};

} // namespace

bool SaveFormPlacement(const QWidget& window, const std::string& fileOrName) {
    if (window.isMinimized())
        return true;
    try {
        const Rect frame = pixelsToTwips(toRect(window.frameGeometry()), dotsPerInch(window));
        IniFile ini(fileFor(window, fileOrName));
        if (positionsApply()) {
            ini.setValue(keys::kPlacementSection, keys::kPlacementLeft, std::to_string(frame.left));
            ini.setValue(keys::kPlacementSection, keys::kPlacementTop, std::to_string(frame.top));
        }
        ini.setValue(keys::kPlacementSection, keys::kPlacementWidth, std::to_string(frame.width));
        ini.setValue(keys::kPlacementSection, keys::kPlacementHeight, std::to_string(frame.height));
        ini.commit();
        return true;
    } catch (const platform::AppError& error) {
        platform::setCurrentError(error);
        return false;
    }
}

void LoadFormPlacement(QWidget& window, const std::string& fileOrName) {
    try {
        const std::filesystem::path file = fileFor(window, fileOrName);
        const double dpi = dotsPerInch(window);
        const Rect current = pixelsToTwips(toRect(window.frameGeometry()), dpi);
        const auto read = [&](const char* key, int currentValue) {
            return GetPrivateProfileIntA(keys::kPlacementSection, key, currentValue, file);
        };
        const bool sizable = isSizable(window);
        Rect wanted = current;
        wanted.left = read(keys::kPlacementLeft, current.left);
        wanted.top = read(keys::kPlacementTop, current.top);
        if (sizable) {
            wanted.width = read(keys::kPlacementWidth, current.width);
            wanted.height = read(keys::kPlacementHeight, current.height);
        }
        const Rect frame = clampToScreens(twipsToPixels(wanted, dpi), availableAreas());
        const bool move = positionsApply();
        applyFrame(window, frame, move, sizable);
        if (!window.isVisible() && sizable) {
            delete window.findChild<QObject*>(kFrameCorrectionName, Qt::FindDirectChildrenOnly);
            new FrameCorrection(window, frame, move, sizable);
        }
    } catch (const std::exception&) {
        // Placement is a comfort: the window simply stays where it is.
    }
}

} // namespace settings

#include "form_placement.moc"
