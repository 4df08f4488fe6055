#include "main_menus.h"

#include "window_keys.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace app {

namespace {

QAction* named(QAction* action, const char* name) {
    action->setObjectName(name);
    return action;
}

} // namespace

MainMenus::MainMenus(QMainWindow& window)
    : menuFile(window.menuBar()->addMenu("&File")),
      itemSave(named(menuFile->addAction("&Save Config"), "itemSave")),
      itemSaveAs(named(menuFile->addAction("Save Config &As..."), "itemSaveAs")),
      itembreak1(named(menuFile->addSeparator(), "itembreak1")),
      itemLoadConfig(named(menuFile->addAction("&Load Config..."), "itemLoadConfig")),
      itembreak2(named(menuFile->addSeparator(), "itembreak2")),
      itemOpenData(named(menuFile->addAction("Open &Data…"), "itemOpenData")),
      itemClearReferences(named(menuFile->addAction("Clear &references"), "itemClearReferences")),
      itembreak3(named(menuFile->addSeparator(), "itembreak3")),
      itemExit(named(menuFile->addAction("E&xit"), "itemExit")),
      menuRun(window.menuBar()->addMenu("&Run")),
      itemSeries(named(menuRun->addAction("&Series…"), "itemSeries")),
      menuHelp(window.menuBar()->addMenu("&Help")),
      itemHelp(named(menuHelp->addAction("&Help File"), "itemHelp")),
      itembreak5(named(menuHelp->addSeparator(), "itembreak5")),
      menuAbout(named(menuHelp->addAction("&About"), "menuAbout")) {
    menuFile->setObjectName("menuFile");
    menuRun->setObjectName("menuRun");
    menuHelp->setObjectName("menuHelp");
    itemSave->setShortcuts(commandKeys(Qt::CTRL | Qt::Key_S, QKeySequence::Save));
    itemSaveAs->setShortcuts(commandKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_S, QKeySequence::SaveAs));
    itemLoadConfig->setShortcuts(commandKeys(Qt::CTRL | Qt::Key_O, QKeySequence::Open));
    itemExit->setShortcuts(commandKeys(Qt::CTRL | Qt::Key_Q, QKeySequence::Quit));
}

} // namespace app
