#include "field_descriptions.h"

#include "platform/app_error.h"
#include "quenta/quenta.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <limits>

// The description is compiled into this static library, whose resource initialiser no one
// references: register it by hand before the first read.
static void initPanelResources() {
    Q_INIT_RESOURCE(panel);
}

namespace app {

namespace {

// Raised for every fault of the description: the program cannot build its window without it.
constexpr long kDescriptionError = 1001;

[[noreturn]] void fail(const QString& path, const QString& problem) {
    throw platform::AppError(
        kDescriptionError,
        ("The window description " + path + " cannot be used: " + problem).toStdString(),
        "FieldDescriptions");
}

// JSON keeps no difference between 100 and 100.0; whole numbers become integers, which the bag
// reads as doubles where a double is asked for.
quenta::PropertyValue entryValue(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Null:
        return std::monostate{};
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double: {
        const double number = value.toDouble();
        const bool whole =
            std::trunc(number) == number && std::abs(number) <= std::numeric_limits<qint32>::max();
        if (whole)
            return static_cast<qint32>(number);
        return number;
    }
    default:
        throw std::invalid_argument("an entry value must be null, true/false, a number or a text");
    }
}

quenta::PropertyBag bagOf(const QJsonArray& entries) {
    QList<quenta::PropertyBag::Entry> list;
    for (const QJsonValue& entry : entries) {
        const QJsonArray pair = entry.toArray();
        if (pair.size() != 2 || !pair[0].isString())
            throw std::invalid_argument("an entry must be [name, value]");
        list.push_back({pair[0].toString(), entryValue(pair[1])});
    }
    return quenta::PropertyBag(list);
}

QString keyOf(const QJsonObject& field) {
    if (!field.value("name").isString() || field.value("name").toString().isEmpty())
        throw std::invalid_argument("a field has no name");
    const QString name = field.value("name").toString();
    if (!field.contains("index"))
        return name;
    if (!field.value("index").isDouble())
        throw std::invalid_argument("the index of " + name.toStdString() + " is not a number");
    return QStringLiteral("%1(%2)").arg(name).arg(field.value("index").toInt());
}

QString text(const QJsonObject& entry, const char* key) {
    const QJsonValue value = entry.value(QLatin1String(key));
    if (!value.isUndefined() && !value.isString())
        throw std::invalid_argument(std::string("the ") + key + " of an entry is not a text");
    return value.toString();
}

FieldHelp helpOf(const QJsonObject& field) {
    FieldHelp help{text(field, "tip"), text(field, "unit"), text(field, "startCheck"),
                   text(field, "legend")};
    if (!help.startCheck.isEmpty() && !isStartCheck(help.startCheck))
        throw std::invalid_argument("there is no check at Start named " +
                                    help.startCheck.toStdString());
    return help;
}

std::map<QString, QString> buttonTipsOf(const QJsonValue& buttons) {
    std::map<QString, QString> tips;
    for (const QJsonValue& value : buttons.toArray()) {
        const QJsonObject button = value.toObject();
        tips[text(button, "name")] = text(button, "tip");
    }
    return tips;
}

int pixels(double hundredthsOfMm, double dpi) {
    return static_cast<int>(std::lround(hundredthsOfMm / 2540.0 * dpi));
}

} // namespace

FieldDescriptions FieldDescriptions::load(const QString& path) {
    initPanelResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, "it cannot be read (" + file.errorString() + ").");
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (document.isNull())
        fail(path, "it is not valid JSON (" + parseError.errorString() + ").");
    if (!document.object().value("fields").isArray())
        fail(path, "it has no list of fields.");
    FieldDescriptions descriptions;
    descriptions.path_ = path;
    try {
        for (const QJsonValue& value : document.object().value("fields").toArray()) {
            const QJsonObject field = value.toObject();
            if (!field.value("bag").isArray())
                throw std::invalid_argument("a field has no bag");
            descriptions.fields_[keyOf(field).toLower()] = {bagOf(field.value("bag").toArray()),
                                                            helpOf(field)};
        }
        descriptions.buttonTips_ = buttonTipsOf(document.object().value("buttons"));
    } catch (const std::invalid_argument& error) {
        fail(path, QString::fromStdString(error.what()) + ".");
    }
    return descriptions;
}

const FieldDescriptions::Field& FieldDescriptions::entry(const QString& key) const {
    const auto found = fields_.find(key.toLower());
    if (found == fields_.end())
        fail(path_, "it does not describe the field " + key + ".");
    return found->second;
}

const quenta::PropertyBag& FieldDescriptions::bag(const QString& key) const {
    return entry(key).bag;
}

QString FieldDescriptions::unit(const QString& key) const {
    return entry(key).help.unit;
}

QString FieldDescriptions::legend(const QString& key) const {
    return entry(key).help.legend;
}

quenta::Quenta* FieldDescriptions::createField(const QString& key, const QString& caption,
                                               QWidget* parent) const {
    const Field& described = entry(key);
    const quenta::PropertyBag& stored = described.bag;
    auto* field = new quenta::Quenta(parent);
    field->setAccessibleName(QString(caption).remove(QRegularExpression(":$")));
    try {
        field->ReadProperties(stored);
    } catch (const quenta::PropertyBagError& error) {
        delete field;
        fail(path_, "the entry " + error.entry() + " of " + key + " is wrong: " + error.what());
    }
    field->setToolTipText(fieldToolTip(described.help, *field));
    const double dpiX = field->logicalDpiX();
    const double dpiY = field->logicalDpiY();
    field->setMinimumSize(pixels(stored.readDouble(u"_extentx", 0.0), dpiX),
                          pixels(stored.readDouble(u"_extenty", 0.0), dpiY));
    return field;
}

} // namespace app
