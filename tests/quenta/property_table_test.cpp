// The control's properties seen from every side: the meta-object, the dispatch table, the
// stored entries and the change signals tell of the same properties.

#include "control_window.h"
#include "qt_print.h"
#include "quenta/dispatch_table.h"
#include "quenta/quenta.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using quenta::PropertyBag;
using quenta::Quenta;

QList<QMetaProperty> ownProperties() {
    const QMetaObject& meta = Quenta::staticMetaObject;
    QList<QMetaProperty> properties;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        properties << meta.property(i);
    return properties;
}

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

// A value of the same type that differs from `value`.
QVariant changed(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return !value.toBool();
    case QMetaType::QString:
        return value.toString() + QLatin1Char('1');
    case QMetaType::QFont: {
        auto font = value.value<QFont>();
        font.setBold(!font.bold());
        return font;
    }
    default: {
        QVariant next(value.toDouble() + 1);
        next.convert(value.metaType());
        return next;
    }
    }
}

TEST(PropertyTable, TheDispatchTableNamesEveryPropertyOnce) {
    QStringList properties;
    for (const QMetaProperty& property : ownProperties())
        properties << property.name();
    QStringList members;
    for (const quenta::DispatchMember& member : quenta::dispatchMembers())
        if (!member.method)
            members << member.name;
    EXPECT_EQ(sorted(members), sorted(properties));
}

// Every entry is named after its property, and every property a container can set comes back
// from its entry (or from the missing entry's default) but for the selection, which the text
// read after it moves.
TEST(PropertyTable, EveryPropertyIsStoredUnderItsName) {
    Quenta original;
    original.InitProperties();
    for (const QMetaProperty& property : ownProperties()) {
        if (property.isWritable()) {
            ASSERT_TRUE(property.write(&original, changed(property.read(&original))));
        }
    }
    PropertyBag bag;
    original.WriteProperties(bag);
    for (const PropertyBag::Entry& entry : bag.entries())
        EXPECT_GE(Quenta::staticMetaObject.indexOfProperty(entry.name.toLatin1()), 0)
            << entry.name.toStdString();
    Quenta copy;
    copy.ReadProperties(bag);
    for (const QMetaProperty& property : ownProperties()) {
        if (property.isWritable() && !QByteArray(property.name()).startsWith("Sel")) {
            EXPECT_EQ(copy.property(property.name()), original.property(property.name()))
                << property.name();
        }
    }
}

TEST(ChangeSignals, EveryPropertyIsConstantOrHasOne) {
    for (const QMetaProperty& property : ownProperties()) {
        EXPECT_NE(property.isConstant(), property.hasNotifySignal()) << property.name();
        EXPECT_FALSE(property.isWritable() && property.isConstant()) << property.name();
    }
}

TEST(ChangeSignals, EverySetRaisesThePropertysSignal) {
    for (const QMetaProperty& property : ownProperties()) {
        if (!property.isWritable())
            continue;
        Quenta control;
        control.InitProperties();
        QSignalSpy spy(&control, property.notifySignal());
        ASSERT_TRUE(property.write(&control, changed(property.read(&control))));
        EXPECT_GE(spy.size(), 1) << property.name();
    }
}

TEST(ChangeSignals, TypingRaisesThoseOfTheTextAndSelectionButNotifiesNoContainer) {
    quentatest::ControlWindow window;
    QSignalSpy value(&window.control(), &Quenta::ValueChanged);
    QSignalSpy selection(&window.control(), &Quenta::SelectionChanged);
    QSignalSpy container(&window.control(), &Quenta::PropertyChanged);
    window.enter();
    window.type("12");
    EXPECT_GE(value.size(), 1);
    EXPECT_GE(selection.size(), 1);
    EXPECT_TRUE(container.isEmpty());
    value.clear();
    window.control().setExponent(-3);
    EXPECT_EQ(value.size(), 1);
}

TEST(ChangeSignals, RestoringRaisesThemWhileTheContainerHearsOfDataFormatAlone) {
    Quenta control;
    QSignalSpy valType(&control, &Quenta::ValTypeChanged);
    QSignalSpy font(&control, &Quenta::FontChanged);
    QSignalSpy container(&control, &Quenta::PropertyChanged);
    control.ReadProperties(PropertyBag{{"valtype", 4}, {"fontsize", 12.0}});
    EXPECT_EQ(valType.size(), 1);
    EXPECT_GE(font.size(), 1);
    EXPECT_EQ(container.size(), 1);
    control.InitProperties();
    EXPECT_EQ(valType.size(), 2);
}

} // namespace
