#include "gamewin/window_parts.h"

#include <cmath>

namespace tomelin {

QLabel* makePartLabel(QWidget* parent, Qt::Alignment align, int pointSize, bool bold,
                      const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = label->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

void setTextColour(QLabel& label, Rgb colour) {
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, toQColor(colour));
    label.setPalette(pal);
}

void setBold(QLabel& label, bool bold) {
    QFont f = label.font();
    f.setBold(bold);
    label.setFont(f);
}

void stylePanel(QFrame& panel, const QString& name) {
    panel.setObjectName(name);
    panel.setStyleSheet(
        QStringLiteral("QFrame#%1 { background: rgb(28, 32, 40); "
                       "border: 2px solid rgb(120, 128, 146); border-radius: 6px; }")
            .arg(name));
}

int px(double v) {
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace tomelin
