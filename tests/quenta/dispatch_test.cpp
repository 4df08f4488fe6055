// Late binding by dispatch identifier.

#include "qt_print.h"
#include "quenta/dispatch_table.h"
#include "quenta/quenta.h"

#include <QMetaMethod>
#include <gtest/gtest.h>
#include <set>

namespace {

using quenta::Quenta;

bool hasMethod(const char* name, QMetaMethod::MethodType type) {
    const QMetaObject& meta = Quenta::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        if (meta.method(i).name() == name && meta.method(i).methodType() == type)
            return true;
    return false;
}

TEST(DispatchTable, EveryIdentifierNamesOneMemberOfTheControl) {
    const QMetaObject& meta = Quenta::staticMetaObject;
    std::set<qint32> ids;
    for (const quenta::DispatchMember& member : quenta::dispatchMembers()) {
        EXPECT_TRUE(ids.insert(member.id).second) << member.name;
        if (member.method) {
            EXPECT_TRUE(hasMethod(member.name, QMetaMethod::Method)) << member.name;
        } else {
            EXPECT_GE(meta.indexOfProperty(member.name), meta.propertyOffset()) << member.name;
        }
    }
    EXPECT_EQ(ids.size(), 55u);
    EXPECT_EQ(meta.propertyCount() - meta.propertyOffset(), 48); // every property has an id
    for (const quenta::DispatchEvent& event : quenta::dispatchEvents())
        EXPECT_EQ(hasMethod(event.name, QMetaMethod::Signal), event.hasSignal) << event.name;
}

TEST(DispatchTable, PropertiesAreReadAndWrittenByIdentifier) {
    Quenta control;
    control.InitProperties();
    EXPECT_TRUE(control.setPropertyById(0x68030003, 4));     // ValType
    EXPECT_TRUE(control.setPropertyById(0x6803000A, 100.0)); // Max
    EXPECT_TRUE(control.setPropertyById(0x68030008, true));  // MaxLimitEnabled
    EXPECT_TRUE(control.setPropertyById(quenta::DispidText, "250"));
    EXPECT_EQ(control.propertyById(quenta::DispidText).toString(), "100");
    EXPECT_EQ(control.propertyById(0x68030000).toString(), "100E0"); // Value
    EXPECT_FALSE(control.setPropertyById(0x68030000, "1"));          // Value has no setter
    EXPECT_TRUE(control.setPropertyById(0x6803002B, 0));             // BorderStyle, from an int
    EXPECT_EQ(control.BorderStyle(), 0);
    EXPECT_FALSE(control.propertyById(0x12345678).isValid());
    EXPECT_FALSE(control.setPropertyById(0x60030033, 1)); // a method
}

TEST(DispatchTable, MethodsAreInvokedByIdentifier) {
    Quenta control;
    EXPECT_EQ(control.invokeById(0x60030033), QVariant());                 // Refresh
    EXPECT_EQ(control.invokeById(0x6003003E), QVariant(true));             // ValidateControls
    EXPECT_EQ(control.invokeById(0x6003004B, {"[Run]"}), QVariant(false)); // LinkExecute
    EXPECT_EQ(control.invokeById(0x6003004B), std::nullopt);               // argument missing
    EXPECT_EQ(control.invokeById(quenta::DispidText), std::nullopt);
    EXPECT_EQ(control.invokeById(0x12345678), std::nullopt);
}

TEST(DispatchTable, EventsAreFoundByIdentifier) {
    EXPECT_EQ(Quenta::eventById(4).name(), "KeyPress");
    EXPECT_EQ(Quenta::eventById(11).name(), "Validate");
    EXPECT_FALSE(Quenta::eventById(10).isValid()); // WriteProperties: never raised
    EXPECT_FALSE(Quenta::eventById(99).isValid());
}

} // namespace
