#include "platform/message_box.h"
#include "printing/print_picture.h"
#include "printing/print_target.h"
#include "printing/print_window.h"
#include "printing/window_capture.h"

#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using namespace printing;

QWidget* colouredPanel(QWidget* parent, Qt::GlobalColor colour) {
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    return panel;
}

// A red window with a blue 50 x 20 panel at (10, 10).
struct RedWindow {
    RedWindow(int width, int height) : window(new QWidget) {
        window->resize(width, height);
        window->setAutoFillBackground(true);
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Qt::red);
        window->setPalette(palette);
        colouredPanel(window.get(), Qt::blue)->setGeometry(10, 10, 50, 20);
    }
    std::unique_ptr<QWidget> window;
};

Picture pictureOf(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return BitmapToPicture(image, QSizeF(96, 96));
}

class FakeChooser final : public PdfFileChooser {
public:
    explicit FakeChooser(std::optional<QString> answer) : answer_(std::move(answer)) {}
    std::optional<QString> choosePdfFile(const QString& suggestedPath) override {
        suggested.push_back(suggestedPath);
        return answer_;
    }
    QStringList suggested;

private:
    std::optional<QString> answer_;
};

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// The first page's /MediaBox of a PDF file, in points.
QSizeF mediaBox(const QString& path) {
    const QRegularExpression box(
        R"(/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\])");
    const QRegularExpressionMatch match = box.match(readAll(path));
    if (!match.hasMatch())
        return {};
    return {match.captured(3).toDouble() - match.captured(1).toDouble(),
            match.captured(4).toDouble() - match.captured(2).toDouble()};
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

TEST(WindowCapture, TheClientAreaIsCapturedAtScreenResolution) {
    RedWindow red(400, 200);
    const Picture picture = CaptureClientArea(*red.window);
    const double ratio = red.window->devicePixelRatioF();
    ASSERT_EQ(picture.sizePixels(), QSize(400, 200) * ratio);
    EXPECT_EQ(picture.image().pixelColor(QPoint(15, 15) * ratio), QColor(Qt::blue));
    EXPECT_EQ(picture.image().pixelColor(QPoint(300, 150) * ratio), QColor(Qt::red));
    const double dpi = red.window->logicalDpiX();
    EXPECT_NEAR(picture.sizeHimetric().width(), 400 * 2540.0 / dpi, 1e-6);
    EXPECT_NEAR(picture.sizeHimetric().height(), 200 * 2540.0 / red.window->logicalDpiY(), 1e-6);
}

TEST(WindowCapture, AMainWindowsClientAreaLeavesOutItsMenuAndStatusBars) {
    QMainWindow main;
    main.menuBar()->addMenu("File");
    main.menuBar()->addMenu("Help");
    main.statusBar()->showMessage("ready");
    main.setCentralWidget(colouredPanel(nullptr, Qt::red));
    main.resize(400, 300);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const Picture picture = CaptureClientArea(main);
    const double ratio = main.devicePixelRatioF();
    EXPECT_EQ(picture.sizePixels(), main.centralWidget()->size() * ratio);
    EXPECT_LT(picture.sizePixels().height(), main.height() * ratio);
    EXPECT_EQ(picture.image().pixelColor(0, 0), QColor(Qt::red));
}

TEST(WindowCapture, APartOfTheAreaIsCopiedAndWhatLiesOutsideStaysWhite) {
    RedWindow red(100, 50);
    if (red.window->devicePixelRatioF() != 1.0)
        GTEST_SKIP() << "pixel positions assume a device pixel ratio of 1";
    const Picture panel = CaptureWindowArea(*red.window, true, 10, 10, 50, 20);
    ASSERT_EQ(panel.sizePixels(), QSize(50, 20));
    EXPECT_EQ(panel.image().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(panel.image().pixelColor(49, 19), QColor(Qt::blue));
    const Picture overhang = CaptureWindowArea(*red.window, true, 90, 40, 20, 20);
    EXPECT_EQ(overhang.image().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(overhang.image().pixelColor(15, 15), QColor(Qt::white));
}

class PdfPrinting : public testing::Test {
protected:
    QString pdfPath(const char* name) const { return folder_.filePath(name); }
    QTemporaryDir folder_;
    platform::ScopedRecordingMessageBox messages_;
};

TEST_F(PdfPrinting, ALandscapeWindowPrintsOnALandscapePageFillingItsWidth) {
    RedWindow red(400, 200);
    const QString path = pdfPath("landscape.pdf");
    auto printer = pdfPrinter(path);
    const auto drawn = PrintPictureFitted(*printer, CaptureClientArea(*red.window));
    ASSERT_TRUE(drawn);
    const QSizeF page = mediaBox(path);
    const QSizeF a4 = QPageSize(QPageSize::A4).sizePoints();
    EXPECT_NEAR(page.width(), a4.height(), 1.0);
    EXPECT_NEAR(page.height(), a4.width(), 1.0);
    const QRectF area = printer->pageRect(QPrinter::DevicePixel);
    EXPECT_NEAR(drawn->width(), area.width(), 1e-6);
    EXPECT_NEAR(drawn->height(), area.width() / 2, 1e-6);
    EXPECT_EQ(drawn->topLeft(), QPointF(0, 0));
    EXPECT_TRUE(readAll(path).contains("/Subtype /Image"));
    EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(PdfPrinting, APortraitWindowPrintsOnAPortraitPageFillingItsHeight) {
    const QString path = pdfPath("portrait.pdf");
    auto printer = pdfPrinter(path);
    printer->setPageOrientation(QPageLayout::Landscape); // the picture decides
    const auto drawn = PrintPictureFitted(*printer, pictureOf(200, 400));
    ASSERT_TRUE(drawn);
    const QSizeF page = mediaBox(path);
    const QSizeF a4 = QPageSize(QPageSize::A4).sizePoints();
    EXPECT_NEAR(page.width(), a4.width(), 1.0);
    EXPECT_NEAR(page.height(), a4.height(), 1.0);
    const QRectF area = printer->pageRect(QPrinter::DevicePixel);
    EXPECT_NEAR(drawn->height(), area.height(), 1e-6);
    EXPECT_NEAR(drawn->width(), area.height() / 2, 1e-6);
}

TEST_F(PdfPrinting, APictureWithThePagesAspectFillsTheWholePrintableArea) {
    auto printer = pdfPrinter(pdfPath("exact.pdf"));
    printer->setPageOrientation(QPageLayout::Landscape);
    const QRectF area = printer->pageRect(QPrinter::DevicePixel);
    // Pixels at the printer's resolution, so the picture is as large as the area.
    QImage image(qRound(area.width()) / 8, qRound(area.height()) / 8, QImage::Format_RGB32);
    image.fill(Qt::gray);
    const double dpi = printer->resolution() / 8.0;
    const auto drawn = PrintPictureFitted(*printer, BitmapToPicture(image, QSizeF(dpi, dpi)));
    ASSERT_TRUE(drawn);
    EXPECT_NEAR(drawn->width(), area.width(), 8.0);
    EXPECT_NEAR(drawn->height(), area.height(), 8.0);
}

TEST_F(PdfPrinting, APictureWithoutHeightPrintsNothingAndSaysSo) {
    const QString path = pdfPath("empty.pdf");
    auto printer = pdfPrinter(path);
    EXPECT_FALSE(PrintPictureFitted(*printer, pictureOf(300, 0)));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_EQ(messages_->shown()[0].text, "The picture to print is empty. Nothing was printed.");
}

TEST_F(PdfPrinting, AFileThatCannotBeWrittenIsReported) {
    const QString path = pdfPath("no/such/folder/page.pdf");
    auto printer = pdfPrinter(path);
    EXPECT_FALSE(PrintPictureFitted(*printer, pictureOf(300, 200)));
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_NE(messages_->shown()[0].text.find("could not be written"), std::string::npos);
    EXPECT_NE(messages_->shown()[0].text.find(path.toStdString()), std::string::npos);
}

TEST_F(PdfPrinting, WithoutAPrinterThePageGoesToTheChosenPdfFile) {
    const QString path = pdfPath("chosen.pdf");
    FakeChooser chooser(path);
    EXPECT_TRUE(printPicture(pictureOf(300, 200), QPrinterInfo(), chooser));
    ASSERT_EQ(chooser.suggested.size(), 1u);
    EXPECT_TRUE(chooser.suggested[0].endsWith(".pdf"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_GT(mediaBox(path).width(), mediaBox(path).height());
}

TEST_F(PdfPrinting, CancellingTheFileChoicePrintsNothingAndIsNoError) {
    FakeChooser chooser(std::nullopt);
    EXPECT_EQ(openPrintTarget(QPrinterInfo(), chooser), nullptr);
    EXPECT_FALSE(printPicture(pictureOf(300, 200), QPrinterInfo(), chooser));
    EXPECT_TRUE(messages_->shown().empty());
}

// A window with the graph-type panel (green) showing and the application-information panel
// (blue) hidden in the same place.
struct MainWindowLike {
    MainWindowLike() : window(new QWidget) {
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        frameGraphType = colouredPanel(window.get(), Qt::green);
        frameAppInfo = colouredPanel(window.get(), Qt::blue);
        layout->addWidget(frameGraphType);
        layout->addWidget(frameAppInfo);
        frameAppInfo->hide();
        window->resize(300, 120);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    std::unique_ptr<QWidget> window;
    QWidget* frameGraphType;
    QWidget* frameAppInfo;
};

TEST_F(PdfPrinting, TheCaptureShowsTheInformationPanelAndThePanelsSwapBack) {
    MainWindowLike main;
    QColor captured;
    withAppInfoPanel(*main.frameGraphType, *main.frameAppInfo, [&] {
        EXPECT_TRUE(main.frameGraphType->isHidden());
        EXPECT_FALSE(main.frameAppInfo->isHidden());
        const Picture picture = CaptureClientArea(*main.window);
        captured = picture.image().pixelColor(picture.image().rect().center());
    });
    EXPECT_EQ(captured, QColor(Qt::blue));
    EXPECT_FALSE(main.frameGraphType->isHidden());
    EXPECT_TRUE(main.frameAppInfo->isHidden());
}

TEST_F(PdfPrinting, ThePanelsSwapBackWhenTheActionFails) {
    MainWindowLike main;
    EXPECT_THROW(withAppInfoPanel(*main.frameGraphType, *main.frameAppInfo,
                                  [] { throw std::runtime_error("capture failed"); }),
                 std::runtime_error);
    EXPECT_FALSE(main.frameGraphType->isHidden());
    EXPECT_TRUE(main.frameAppInfo->isHidden());
}

TEST_F(PdfPrinting, ThePrintButtonPrintsTheWindowIntoAPdfWhenNoPrinterIsInstalled) {
    MainWindowLike main;
    const QString path = pdfPath("window.pdf");
    FakeChooser chooser(path);
    EXPECT_TRUE(printWindowWithAppInfo(*main.window, *main.frameGraphType, *main.frameAppInfo,
                                       chooser, QPrinterInfo()));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_GT(mediaBox(path).width(), mediaBox(path).height());
    EXPECT_FALSE(main.frameGraphType->isHidden());
    EXPECT_TRUE(main.frameAppInfo->isHidden());
}

} // namespace
