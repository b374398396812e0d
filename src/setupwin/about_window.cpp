#include "setupwin/about_window.h"

#include "setupwin/key_colours.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/draw/ui_text.h"
#include "platform/store/language_setting.h"
#include "setupwin/artwork.h"
#include "setupwin/click_label.h"
#include "setupwin/link_opener.h"

namespace tomelin {
namespace {

const UiText kCaption{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "O programu...")};
const UiText kVersion{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "Verze 1.55")};
const UiText kDate{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "20.01. 2001")};
const UiText kCredit{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "Hru, její grafiku i hudbu pro Linux připravil tým projektu Tomelin.")};
const UiText kInvitation{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "Veškeré dotazy rád zodpovím a nahlášené chyby samozřejmě opravím.")};
const UiText kMailCaption{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow",
    "Na tento e-mail mi, prosím, pište Vaše náměty a připomínky, zprávy o chybách, o Vašich "
    "úspěších při hře s počítačem :")};
const UiText kWebCaption{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "Mé stránky :")};
const UiText kWebText{"AboutWindow", QT_TRANSLATE_NOOP("AboutWindow", "Pravidla a nápověda ke hře")};

QLabel* wrappedLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

void styleLink(ClickLabel* label, const char* name) {
    label->setObjectName(name);
    // The link's blue, made lighter where the window is dark, reads at 4.5:1 at least.
    const QColor colour =
        readableOn(QColor(0x1a, 0x4f, 0xc4), label->palette().color(QPalette::Window));
    label->setStyleSheet(
        QStringLiteral("color: %1; text-decoration: underline;").arg(colour.name()));
}

}  // namespace

AboutWindow::AboutWindow(const QPixmap& title, QWidget* parent, Store* store) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(kCaption);
    setModal(true);
    // The window's own pointer is shared picture 11; the links keep the pointing hand.
    setCursor(Artwork::sharedCursor(11));

    auto* image = new QLabel(this);
    image->setObjectName("Image2");
    image->setPixmap(title);
    image->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(kVersion, this);
    version->setObjectName("Label1");
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* date = new QLabel(kDate, this);
    date->setObjectName("lblVersion");
    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(version);
    versionRow->addStretch();
    versionRow->addWidget(date);

    m_mailLink = new ClickLabel(QString::fromLatin1(kProjectMailAddress), this);
    styleLink(m_mailLink, "Label6");
    m_webLink = new ClickLabel(kWebText, this);
    styleLink(m_webLink, "Label3");
    connect(m_mailLink, &ClickLabel::clicked, this, &AboutWindow::openMailLink);
    connect(m_webLink, &ClickLabel::clicked, this, &AboutWindow::openWebLink);
    m_webLink->setToolTip(webTarget().toString());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);
    layout->addWidget(image);
    layout->addLayout(versionRow);
    layout->addWidget(wrappedLabel(kCredit, "Label2", this));
    layout->addSpacing(6);
    layout->addWidget(wrappedLabel(kInvitation, "Label7", this));
    layout->addWidget(wrappedLabel(kMailCaption, "Label5", this));
    layout->addWidget(m_mailLink);
    layout->addSpacing(6);
    auto* webRow = new QHBoxLayout;
    auto* webCaption = new QLabel(kWebCaption, this);
    webCaption->setObjectName("Label4");
    webRow->addWidget(webCaption);
    webRow->addWidget(m_webLink);
    webRow->addStretch();
    layout->addLayout(webRow);
    if (store != nullptr)
        addLanguageRow(*layout, *store);

    // A fixed layout: the window is as wide as the title picture plus its margins.
    const int width = std::max(title.width(), 300) + 32;
    setFixedWidth(width);
    setFixedHeight(layout->hasHeightForWidth() ? layout->heightForWidth(width)
                                               : sizeHint().height());
}

void AboutWindow::addLanguageRow(QVBoxLayout& layout, Store& store) {
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(QCoreApplication::translate("AboutWindow", "Jazyk:"), this);
    caption->setObjectName("languageCaption");
    m_language = new QComboBox(this);
    m_language->setObjectName("language");
    // Each language by its own name, so that a player who cannot read the other finds his.
    m_language->addItem(QStringLiteral("Čeština"), QStringLiteral("cs"));
    m_language->addItem(QStringLiteral("English"), QStringLiteral("en"));
    caption->setBuddy(m_language);
    const QString shown = qApp->property(kWindowLanguageProperty).toString();
    m_language->setCurrentIndex(std::max(0, m_language->findData(shown)));
    row->addWidget(caption);
    row->addWidget(m_language);
    row->addStretch();
    layout.addSpacing(6);
    layout.addLayout(row);
    auto* note = new QLabel(this);
    note->setObjectName("languageNote");
    note->setWordWrap(true);
    layout.addWidget(note);
    connect(m_language, &QComboBox::currentIndexChanged, this, [this, note, shown, &store] {
        const QString chosen = m_language->currentData().toString();
        if (!storeLanguage(store, chosen.toStdString())) {
            note->setText(QCoreApplication::translate("AboutWindow", "Volbu jazyka nelze uložit."));
            return;
        }
        // The windows are made in one language; the next start makes them in the new one.
        note->setText(chosen == shown ? QString()
                                      : QCoreApplication::translate(
                                            "AboutWindow", "Jazyk se změní při příštím spuštění."));
    });
}

QUrl AboutWindow::webTarget() const {
    return helpPageUrl();
}

QUrl AboutWindow::mailTarget() const {
    return mailDraftUrl(QString::fromLatin1(kProjectMailAddress));
}

void AboutWindow::openWebLink() {
    OpenLink(webTarget());
}

void AboutWindow::openMailLink() {
    OpenLink(mailTarget());
}

}  // namespace tomelin
