#include "sample_fields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace app {

namespace {

struct FieldLook {
    const char* name;
    const char* caption;
    const char* tip;
    int stretch;
};

constexpr std::array<FieldLook, 4> kLooks{{
    {"txtSample", "Sample:", "The sample or wafer measured ({sample} in the data path)", 2},
    {"txtDevice", "Device:", "The device on it, D3 say ({device} in the data path)", 1},
    {"txtOperator", "Operator:", "Who measures", 1},
    {"txtComment", "Comment:", "A word about the run, kept in its record", 3},
}};

} // namespace

SampleFields::SampleFields(Session& session, QWidget* parent)
    : QObject(parent), session_(session), row_(new QWidget(parent)) {
    auto* layout = new QHBoxLayout(row_);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < kLooks.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(kLooks[i].caption), row_);
        auto* field = new QLineEdit(row_);
        field->setObjectName(QString::fromUtf8(kLooks[i].name));
        field->setAccessibleName(label->text().chopped(1));
        field->setToolTip(QString::fromUtf8(kLooks[i].tip));
        label->setBuddy(field);
        layout->addWidget(label);
        layout->addWidget(field, kLooks[i].stretch);
        connect(field, &QLineEdit::textEdited, this, [this] { takeTyped(); });
        fields_[i] = field;
    }
    show();
    shown_ = session_.observe([this](Session::Change change) {
        if (change == Session::Change::Sample)
            show();
    });
}

void SampleFields::takeTyped() {
    session_.setSample(
        {fields_[kSample]->text().toStdString(), fields_[kDevice]->text().toStdString(),
         fields_[kOperator]->text().toStdString(), fields_[kComment]->text().toStdString()});
}

void SampleFields::show() {
    const SampleIdentity& sample = session_.sample();
    const std::array<const std::string*, 4> values{&sample.sample, &sample.device,
                                                   &sample.operatorName, &sample.comment};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString text = QString::fromStdString(*values[i]);
        if (fields_[i]->text() != text)
            fields_[i]->setText(text);
    }
}

} // namespace app
