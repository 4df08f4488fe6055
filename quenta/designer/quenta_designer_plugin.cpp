#include "quenta_designer_plugin.h"

#include "quenta/quenta.h"

#include <QIcon>

namespace quenta {

QuentaDesignerPlugin::QuentaDesignerPlugin(QObject* parent) : QObject(parent) {}

QString QuentaDesignerPlugin::name() const {
    return QStringLiteral("quenta::Quenta");
}

QString QuentaDesignerPlugin::group() const {
    return QStringLiteral("Tarvix-4140");
}

QString QuentaDesignerPlugin::toolTip() const {
    return QStringLiteral("Numeric entry field");
}

QString QuentaDesignerPlugin::whatsThis() const {
    return QStringLiteral("A text box that limits, converts and formats the number typed into "
                          "it when the focus leaves it.");
}

QString QuentaDesignerPlugin::includeFile() const {
    return QStringLiteral("quenta/quenta.h");
}

QIcon QuentaDesignerPlugin::icon() const {
    return {};
}

bool QuentaDesignerPlugin::isContainer() const {
    return false;
}

QWidget* QuentaDesignerPlugin::createWidget(QWidget* parent) {
    auto* control = new Quenta(parent);
    control->InitProperties();
    return control;
}

QString QuentaDesignerPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="quenta::Quenta" name="quenta">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>100</width><height>22</height></rect>
  </property>
 </widget>
</ui>
)");
}

} // namespace quenta
