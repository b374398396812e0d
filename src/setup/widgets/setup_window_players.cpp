// SetupWindow's players: token previews, the token chooser, known players' tokens.

#include "records/game_record.h"
#include "setup/widgets/player_panel.h"
#include "setup/widgets/setup_window.h"

namespace tomelin {

void SetupWindow::figur(int i) {
    m_chooser->load(i, m_styles[i], m_panels[i]->strengthMark());
}

void SetupWindow::SetFigur(int player) {
    const int i = player == 2 ? 1 : 0;
    const AppliedToken token = m_chooser->SetFigur(m_panels[i]->isComputer());
    m_tokens[i] = token;
    m_styles[i] = token.style;
    FigDr(i);
    emit tokenApplied(i + 1, token);
}

void SetupWindow::applyToken(int i) {
    figur(i);
    SetFigur(i + 1);
}

void SetupWindow::FigDr(int i) {
    m_panels[i]->showToken(m_styles[i], m_detailLevel, m_random);
}

void SetupWindow::openChooser(int i) {
    figur(i);
    m_chooser->redrawPreview();
    runDialog(*m_chooser);
}

void SetupWindow::applyKnownPlayerToken(int i, int listIndex) {
    const auto& codes = m_survey.lists[kListSetupTokens];
    if (listIndex < 0 || listIndex >= static_cast<int>(codes.size())) {
        return;
    }
    // decodeTokenString mends a damaged code; a shape outside 1..8 becomes 1.
    const TokenStyle stored = decodeTokenString(codes[listIndex]);
    m_styles[i].colour = stored.colour;
    m_styles[i].shape = stored.shape;
    applyToken(i);
}

void SetupWindow::nameEdited(int i, const QString& text) {
    if (m_panels[i]->isComputer()) {
        return;
    }
    const int found = m_panels[i]->knownPlayerIndex(text);
    if (found >= 0) {
        applyKnownPlayerToken(i, found);
    }
}

void SetupWindow::nameBoxClicked(int i) {
    m_panels[i]->offerDefaultName();
}

}  // namespace tomelin
