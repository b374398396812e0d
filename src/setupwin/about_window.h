#pragma once
// `AboutWindow` (`frmAbout`): the About window with the version, a credit line and two links (the
// help page with the rules and a mail draft to the project).

#include <QDialog>
#include <QPixmap>
#include <QUrl>

class QComboBox;
class QVBoxLayout;

namespace tomelin {

class ClickLabel;
class Store;

// The application property holding the language the windows are shown in ("cs", "en").
inline constexpr const char* kWindowLanguageProperty = "tomelinWindowLanguage";

// The project's mail address offered by the mail link.
inline constexpr const char* kProjectMailAddress = "tomelin@example.org";

// The About window, shown modally from the setup window's logo and the game window's toolbar.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // `title` is the shared title picture (`Image2` of the setup window).
    // With a store, a row below the links chooses the windows' language for the next start.
    explicit AboutWindow(const QPixmap& title, QWidget* parent = nullptr, Store* store = nullptr);

    // The targets the two links open; the web link is the help page installed with the game.
    QUrl webTarget() const;
    QUrl mailTarget() const;

    // Click handlers of the web link (`Label3_Click`) and the mail link (`Label6_Click`).
    void openWebLink();
    void openMailLink();

private:
    void addLanguageRow(QVBoxLayout& layout, Store& store);

    QComboBox* m_language = nullptr;
    ClickLabel* m_webLink = nullptr;
    ClickLabel* m_mailLink = nullptr;
};

}  // namespace tomelin
