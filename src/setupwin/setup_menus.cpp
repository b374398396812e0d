#include "setupwin/setup_menus.h"

#include <QAction>
#include <QMenu>

#include "gamewin/window_layout.h"

namespace tomelin {

SizeMenuState sizeMenuState(int height, int screenHeight) {
    return {mayShrink(height, screenHeight), mayGrow(height, screenHeight)};
}

namespace {

QMenu* submenu(QMenu* parent, const QString& title, const char* name) {
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

QAction* item(QMenu* menu, const QString& text, const char* name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

}  // namespace

SetupMenus::SetupMenus(QWidget* owner) : QObject(owner) {
    Hght = new QMenu(QStringLiteral("Hght"), owner);
    Hght->setObjectName("Hght");
    HGM = item(Hght, QStringLiteral("Zmenšit okno"), "HGM");
    HGV = item(Hght, QStringLiteral("Zvětšit okno"), "HGV");

    EDI = new QMenu(QStringLiteral("Editor"), owner);
    EDI->setObjectName("EDI");
    ADDMAP = item(EDI, QStringLiteral("Přidat pole"), "ADDMAP");
    EDMAP = item(EDI, QStringLiteral("Editovat pole"), "EDMAP");
    DELMAPcc = submenu(EDI, QStringLiteral("Smazat pole"), "DELMAPcc");
    DELMAPc = submenu(DELMAPcc, QStringLiteral("Opravdu smazat?"), "DELMAPc");
    DELMAP = item(DELMAPc, QStringLiteral("ANO"), "DELMAP");

    // The game window pops these up directly: one confirmation question holding one item.
    NGc = new QMenu(QStringLiteral("Opravdu?"), owner);
    NGc->setObjectName("NGc");
    NG = item(NGc, QStringLiteral("Restartovat hru"), "NG");
    UNGc = new QMenu(QStringLiteral("Opravdu?"), owner);
    UNGc->setObjectName("UNGc");
    UNG = item(UNGc, QStringLiteral("Novou hru"), "UNG");
    EDNc = new QMenu(QStringLiteral("Opravdu skončit?"), owner);
    EDNc->setObjectName("EDNc");
    EDN = item(EDNc, QStringLiteral("Opravdu skončit"), "EDN");
}

void SetupMenus::prepareEditorMenu(bool builtin) {
    ADDMAP->setEnabled(true);
    EDMAP->setEnabled(!builtin);
    DELMAPcc->menuAction()->setEnabled(!builtin);
}

void SetupMenus::applySizeState(const SizeMenuState& state) {
    HGM->setEnabled(state.canShrink);
    HGV->setEnabled(state.canGrow);
}

}  // namespace tomelin
