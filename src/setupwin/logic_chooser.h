#pragma once
// `Frame1` "Logika pohybu": the movement logic, star ("Hvězda", `Option1`) or cross ("Kříž",
// `Option2`), each beside a diagram of its reach.

#include <QGroupBox>
#include <QString>

#include "core/directions.h"

class QRadioButton;

namespace tomelin {

class LogicChooser : public QGroupBox {
    Q_OBJECT
public:
    explicit LogicChooser(QWidget* parent);

    // The logic the chosen option stands for.
    Logic logic() const;
    void chooseStar();

signals:
    // The user or chooseStar() switched the logic.
    void logicChanged();

private:
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
};

}  // namespace tomelin
