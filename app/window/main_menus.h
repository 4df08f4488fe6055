#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace app {

// The main window's menu bar: File (save, save as, load, open data, clear references, exit),
// Run (a series of tests; open while a test runs, so a series can be stopped) and Help (help
// file, about).
// Separators are actions of their own, named as the items around them are. The File menu's
// commands have their keys (Ctrl+S, Ctrl+Shift+S, Ctrl+O, Ctrl+Q), shown in the menu.
struct MainMenus {
    explicit MainMenus(QMainWindow& window);

    QMenu* menuFile;
    QAction* itemSave;
    QAction* itemSaveAs;
    QAction* itembreak1;
    QAction* itemLoadConfig;
    QAction* itembreak2;
    QAction* itemOpenData;
    QAction* itemClearReferences;
    QAction* itembreak3;
    QAction* itemExit;
    QMenu* menuRun;
    QAction* itemSeries;
    QMenu* menuHelp;
    QAction* itemHelp;
    QAction* itembreak5;
    QAction* menuAbout;
};

} // namespace app
