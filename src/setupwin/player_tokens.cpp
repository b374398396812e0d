#include "setupwin/player_tokens.h"

#include "records/game_record.h"
#include "setupwin/player_panel.h"

namespace tomelin {

PlayerTokens::PlayerTokens(std::array<PlayerPanel*, 2> panels, TokenChooser& chooser,
                           int detailLevel, RandomSource& random, QObject* parent)
    : QObject(parent),
      m_panels(panels),
      m_chooser(chooser),
      m_detailLevel(detailLevel),
      m_random(random) {
    for (int i = 0; i < 2; ++i) {
        PlayerPanel* p = m_panels[i];
        connect(p, &PlayerPanel::strengthChanged, this, [this, i] { FigDr(i); });
        connect(p, &PlayerPanel::previewClicked, this, [this, i] { openChooser(i); });
        connect(p, &PlayerPanel::nameEdited, this,
                [this, i](const QString& t) { nameEdited(i, t); });
        connect(p, &PlayerPanel::nameBoxClicked, p, &PlayerPanel::offerDefaultName);
        connect(p, &PlayerPanel::knownPlayerPicked, this,
                [this, i](int index) { applyKnownPlayerToken(i, index); });
    }
    connect(&m_chooser, &TokenChooser::confirmed, this, [this](int player) { SetFigur(player); });
}

void PlayerTokens::figur(int i) {
    m_chooser.load(i, m_styles[i], m_panels[i]->strengthMark(), m_styles[1 - i]);
}

void PlayerTokens::SetFigur(int player) {
    const int i = player == 2 ? 1 : 0;
    const AppliedToken token = m_chooser.SetFigur(m_panels[i]->isComputer());
    m_tokens[i] = token;
    m_styles[i] = token.style;
    FigDr(i);
    emit tokenApplied(i + 1, token);
}

void PlayerTokens::applyToken(int i) {
    figur(i);
    SetFigur(i + 1);
}

void PlayerTokens::FigDr(int i) {
    m_panels[i]->showToken(m_styles[i], m_detailLevel, m_random);
}

void PlayerTokens::openChooser(int i) {
    figur(i);
    m_chooser.redrawPreview();
    runDialog(m_chooser);
}

void PlayerTokens::applyKnownPlayerToken(int i, int listIndex) {
    const auto& codes = m_knownTokens;
    if (listIndex < 0 || listIndex >= static_cast<int>(codes.size())) {
        return;
    }
    // decodeTokenString mends a damaged code; a shape outside 1..8 becomes 1.
    const TokenStyle stored = decodeTokenString(codes[listIndex]);
    m_styles[i].colour = stored.colour;
    m_styles[i].shape = stored.shape;
    applyToken(i);
}

void PlayerTokens::nameEdited(int i, const QString& text) {
    if (m_panels[i]->isComputer()) {
        return;
    }
    const int found = m_panels[i]->knownPlayerIndex(text);
    if (found >= 0) {
        applyKnownPlayerToken(i, found);
    }
}


}  // namespace tomelin
