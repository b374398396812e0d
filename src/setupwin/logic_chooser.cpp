#include "setupwin/logic_chooser.h"

#include <QCoreApplication>

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include "core/directions.h"
#include "setupwin/reach_diagram.h"

namespace tomelin {

LogicChooser::LogicChooser(QWidget* parent) : QGroupBox(QCoreApplication::translate("LogicChooser", "Logika pohybu"), parent) {
    setObjectName("Frame1");
    m_option1 = new QRadioButton(QCoreApplication::translate("LogicChooser", "Hvězda"), this);
    m_option1->setObjectName("Option1");
    m_option2 = new QRadioButton(QCoreApplication::translate("LogicChooser", "Kříž"), this);
    m_option2->setObjectName("Option2");
    auto* logicGroup = new QButtonGroup(this);
    logicGroup->addButton(m_option1);
    logicGroup->addButton(m_option2);
    // Each option shows its reach: copy targets filled, jump targets ringed.
    auto* logicLayout = new QGridLayout(this);
    int row = 0;
    for (auto [option, directions] :
         {std::pair{m_option1, &Directions::star()}, std::pair{m_option2, &Directions::cross()}}) {
        auto* diagram = new QLabel(this);
        diagram->setPixmap(QPixmap::fromImage(reachDiagram(*directions)));
        diagram->setToolTip(QCoreApplication::translate("LogicChooser", "Plně: kopie, rámeček: skok"));
        logicLayout->addWidget(option, row, 0);
        logicLayout->addWidget(diagram, row, 1);
        ++row;
    }
    logicLayout->setColumnStretch(2, 1);
    logicLayout->setHorizontalSpacing(24);
    m_option1->setChecked(true);
    connect(m_option1, &QRadioButton::toggled, this, &LogicChooser::logicChanged);
}

Logic LogicChooser::logic() const {
    return m_option2->isChecked() ? Logic::Cross : Logic::Star;
}

void LogicChooser::chooseStar() {
    m_option1->setChecked(true);
}

}  // namespace tomelin
