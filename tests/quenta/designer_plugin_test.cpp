// Loads the designer plugin the way Qt Designer does and places a control with it.

#include "qt_print.h"
#include "quenta/quenta.h"

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(DesignerPlugin, OffersTheControlAsANewControl) {
    QPluginLoader loader(QStringLiteral(QUENTA_DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), "quenta::Quenta");
    EXPECT_EQ(plugin->includeFile(), "quenta/quenta.h");
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_TRUE(plugin->domXml().contains("class=\"quenta::Quenta\""));
    const std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    auto* control = qobject_cast<quenta::Quenta*>(widget.get());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ValType(), 8);
    EXPECT_EQ(control->Text(), "Text1");
}

} // namespace
