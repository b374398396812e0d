#pragma once
// "Pokračovat ve hře" beside START for a kept unfinished game (`Resume`), and the small line
// below the buttons (`ResumeNote`) that names the kept game or tells what became of it.

#include <QObject>
#include <QString>

class QFont;
class QLabel;
class QPushButton;

namespace tomelin {

class ResumeOffer : public QObject {
    Q_OBJECT
public:
    // The button (as big as START, in `startFont`) and the line, on `window`; hidden and
    // empty until a game is offered.
    ResumeOffer(QWidget& window, const QFont& startFont);

    QPushButton* button() const { return m_resume; }
    QLabel* noteLine() const { return m_note; }

    // The kept game, "Originál, 3. tah", as the button's tooltip and on the line.
    void offer(const QString& summary);
    // The button goes, and the line with it when it named the offer.
    void withdraw();
    void showNote(const QString& text);

signals:
    void chosen();

private:
    QPushButton* m_resume = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace tomelin
