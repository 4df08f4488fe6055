// Late binding by dispatch identifier, through Qt's meta-object system.

#include "quenta.h"

#include "dispatch_table.h"

#include <QMetaMethod>
#include <array>

namespace quenta {

namespace {

const char* propertyName(qint32 id) {
    const DispatchMember* member = findDispatchMember(id);
    return member && !member->method ? member->name : nullptr;
}

QMetaMethod methodNamed(const QMetaObject& meta, const char* name) {
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.name() == name)
            return method;
    }
    return {};
}

} // namespace

QVariant Quenta::propertyById(qint32 id) const {
    const char* name = propertyName(id);
    return name ? property(name) : QVariant();
}

bool Quenta::setPropertyById(qint32 id, const QVariant& value) {
    const char* name = propertyName(id);
    return name && setProperty(name, value);
}

std::optional<QVariant> Quenta::invokeById(qint32 id, const QVariantList& arguments) {
    const DispatchMember* member = findDispatchMember(id);
    if (!member || !member->method)
        return std::nullopt;
    const QMetaMethod method = methodNamed(staticMetaObject, member->name);
    constexpr int MaxArguments = 1; // no method of the control takes more
    if (!method.isValid() || method.parameterCount() != arguments.size() ||
        arguments.size() > MaxArguments)
        return std::nullopt;
    std::array<QVariant, MaxArguments> converted;
    std::array<QByteArray, MaxArguments> typeNames; // QGenericArgument keeps only pointers
    std::array<QGenericArgument, MaxArguments> passed;
    for (int i = 0; i < method.parameterCount(); ++i) {
        converted[i] = arguments[i];
        if (!converted[i].convert(method.parameterMetaType(i)))
            return std::nullopt;
        typeNames[i] = method.parameterTypeName(i);
        passed[i] = QGenericArgument(typeNames[i].constData(), converted[i].constData());
    }
    if (method.returnType() == QMetaType::Void) {
        if (!method.invoke(this, Qt::DirectConnection, passed[0]))
            return std::nullopt;
        return QVariant();
    }
    QVariant result(method.returnMetaType());
    const QGenericReturnArgument returned(method.typeName(), result.data());
    if (!method.invoke(this, Qt::DirectConnection, returned, passed[0]))
        return std::nullopt;
    return result;
}

QMetaMethod Quenta::eventById(qint32 id) {
    const DispatchEvent* event = findDispatchEvent(id);
    if (!event || !event->hasSignal)
        return {};
    return methodNamed(staticMetaObject, event->name);
}

} // namespace quenta
