// Places a Quenta field in a window and lets it hold a typed number within its limit.
#include <quenta/quenta.h>

#include <QApplication>
#include <QVBoxLayout>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    auto* field = new quenta::Quenta(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    field->InitProperties();
    field->setValType(quenta::valtype::Double);
    field->setFormatString(QStringLiteral("#0.0#"));
    field->setMax(10.0);
    field->setMaxLimitEnabled(true);
    field->setText(QStringLiteral("12.345"));
    window.show();
    std::printf("%s\n", qPrintable(field->Text()));
    return field->Text() == QStringLiteral("10.0") ? 0 : 1;
}
