#pragma once
// The two players' tokens in the setup window: each panel's preview (`FigDr`), the token
// chooser (`figur` loads it, `SetFigur` applies its choice) and a known player's last token,
// which comes back when his exact name is typed or picked.

#include <QObject>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/random.h"
#include "drawing/token_painter.h"
#include "setupwin/token_chooser.h"

class QDialog;

namespace tomelin {

class PlayerPanel;

class PlayerTokens : public QObject {
    Q_OBJECT
public:
    // The tokens of both players before start-up applies them (snapped to the colour grid by
    // the first apply): an orange "Obdélník" and a blue "Ovál".
    static constexpr PlayerStyle kInitialStyle1{rgb(255, 128, 0), 1, kWhite};
    static constexpr PlayerStyle kInitialStyle2{rgb(0, 127, 225), 5, kWhite};

    PlayerTokens(std::array<PlayerPanel*, 2> panels, TokenChooser& chooser, int detailLevel,
                 RandomSource& random, QObject* parent);

    // How the chooser is shown (the setup window's own way).
    std::function<void(QDialog&)> runDialog;
    // The known players' last token strings, in the order of the panels' name lists.
    void setKnownTokens(std::vector<std::string> codes) { m_knownTokens = std::move(codes); }

    const AppliedToken& token(int playerIndex) const { return m_tokens[playerIndex]; }
    // `figur` then `SetFigur` for player index i (0 or 1): the start-up and START apply step.
    void applyToken(int playerIndex);
    void figur(int playerIndex);
    // `SetFigur` for player p (1 or 2) from the chooser's current shape and colour.
    void SetFigur(int player);
    // `FigDr`: redraws player i's preview.
    void FigDr(int playerIndex);
    // A click on player i's preview: the chooser opens for him.
    void openChooser(int playerIndex);
    // A known player's last token, by his index in the name list.
    void applyKnownPlayerToken(int playerIndex, int listIndex);

signals:
    // A player's token was applied (player 1 or 2).
    void tokenApplied(int player, const tomelin::AppliedToken& token);

private:
    void nameEdited(int playerIndex, const QString& text);

    std::array<PlayerPanel*, 2> m_panels;
    TokenChooser& m_chooser;
    int m_detailLevel;
    RandomSource& m_random;
    std::array<PlayerStyle, 2> m_styles{kInitialStyle1, kInitialStyle2};
    std::array<AppliedToken, 2> m_tokens{};
    std::vector<std::string> m_knownTokens;
};

}  // namespace tomelin
