#include "setupwin/resume_offer.h"

#include <QCoreApplication>
#include "platform/draw/ui_text.h"

#include <QLabel>
#include <QPushButton>

namespace tomelin {

namespace {
const UiText kOfferPrefix{"ResumeOffer", QT_TRANSLATE_NOOP("ResumeOffer", "Rozehraná hra: ")};
}  // namespace

ResumeOffer::ResumeOffer(QWidget& window, const QFont& startFont) : QObject(&window) {
    m_resume = new QPushButton(QCoreApplication::translate("ResumeOffer", "Pokračovat ve hře"), &window);
    m_resume->setObjectName("Resume");
    m_resume->setFont(startFont);
    m_resume->setMinimumHeight(36);
    m_resume->setMinimumWidth(QFontMetrics(startFont).horizontalAdvance(m_resume->text()) + 32);
    m_resume->hide();
    connect(m_resume, &QPushButton::clicked, this, &ResumeOffer::chosen);
    m_note = new QLabel(&window);
    m_note->setObjectName("ResumeNote");
    m_note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_note->setMinimumHeight(m_note->fontMetrics().height());
}

void ResumeOffer::offer(const QString& summary) {
    m_resume->setToolTip(summary);
    m_resume->show();
    m_note->setText(kOfferPrefix.text() + summary);
}

void ResumeOffer::withdraw() {
    m_resume->hide();
    // Only the offer's own line goes with it; a note on the store stays.
    if (m_note->text().startsWith(kOfferPrefix.text()))
        m_note->clear();
}

void ResumeOffer::showNote(const QString& text) {
    m_note->setText(text);
}

}  // namespace tomelin
